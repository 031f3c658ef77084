#!/usr/bin/env bash
# Times the editor's start-up against a bare window program of our own and
# Wine's WordPad in one run, and each step of its start-up in the measuring
# build (Dabiro_trace.exe); writes both to docs/benchmarks.md.
# Usage: bench/compare-startup.sh [runs]   (default 9, at least 5)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}
[ "$runs" -ge 5 ] 2>/dev/null || { echo "usage: $0 [runs, at least 5]" >&2; exit 2; }
bench_target="start_bench bare_window Dabiro_trace"
source bench/wine-bench.sh
source bench/doc-section.sh

# Beside the installed editor, not in the build folder, so that all three
# load from the same drive.
bench_folder="$WINEPREFIX/drive_c/Program Files/Dabiro Bench"
mkdir -p "$bench_folder"
cp "$DABIRO_BUILD"/win64/bin/{bare_window,Dabiro_trace}.exe "$bench_folder/"
rm -f "$bench_folder/startup-trace.txt"
bench='C:\Program Files\Dabiro Bench'

load=$(cut -d' ' -f1-3 /proc/loadavg)
table=$("$WINE" "$DABIRO_BUILD/win64/bin/start_bench.exe" "$runs" "Dabiro=$dabiro" \
  "Bare window/1.5=$bench\\bare_window.exe" "WordPad/0.4=$wordpad" \
  "Dabiro, measuring build=$bench\\Dabiro_trace.exe" | tr -d '\r')
steps=$(/usr/bin/python3 bench/startup_trace.py "$bench_folder/startup-trace.txt")

replace_doc_section "## Start-up against a bare window" "## Start-up against a bare window

Measured on $(date -u +%Y-%m-%d) with \`bench/compare-startup.sh $runs\`, on the machine
above. Load average at the start: $load.

$table

\`start_bench.exe\` (bench/win) starts the four programs in turn, one untimed
round first, then $runs timed rounds, each until its main window is shown and
idle as above. \"Bare window\" is \`bench/win/bare_window.cpp\`: one class,
one window of the editor's size, shown and painted, a message loop; what
the window system itself takes. A ratio is the median of the rounds'
ratios. The measuring build is the editor's objects with a recorder of the
marks between its start-up steps; its own start-up shows what the marks
cost. Its steps, each the time since the previous mark:

$steps

What the start no longer does: load the common dialogs and the shell with
the program (they are loaded at their first call; with what they load in
turn they took about 45 ms and 6 MiB under Wine), enumerate the fonts (the
font list is filled when its field first takes the focus or opens; about
33 ms for the 339 font families of this machine), load the seven pictures
of disabled buttons (loaded when first drawn), repaint each of the
palette's 96 cells on its own, and probe the control's storage where its
library is rich edit 2.0 or later. The tooltips are made just after the
first paint. Most of what remains is the window system's own work for the
editor's windows: showing the main window (its frame, menu bar,
activation and the focus in the text), the combo box's and the size
field's edit controls, the first window of the process (\"application
window\", which also starts Wine's display driver) and the rich edit
library."
echo "$table"
echo "$steps"
echo "Written to docs/benchmarks.md"
