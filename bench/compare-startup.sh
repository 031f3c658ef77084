#!/usr/bin/env bash
# Times the editor's start-up against a bare window program of our own (alone
# and with the editor's windows) and Wine's WordPad in one run, and each step
# of its start-up in the measuring build (Dabiro_trace.exe); writes both to
# docs/benchmarks.md.
# Usage: bench/compare-startup.sh [runs]   (default 9, at least 5)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}
[ "$runs" -ge 5 ] 2>/dev/null || { echo "usage: $0 [runs, at least 5]" >&2; exit 2; }
bench_target="start_bench bare_window bare_controls Dabiro_trace"
source bench/wine-bench.sh
source bench/doc-section.sh

# Beside the installed editor, not in the build folder, so that all three
# load from the same drive.
bench_folder="$WINEPREFIX/drive_c/Program Files/Dabiro Bench"
mkdir -p "$bench_folder"
cp "$DABIRO_BUILD"/win64/bin/{bare_window,bare_controls,Dabiro_trace}.exe "$bench_folder/"
rm -f "$bench_folder/startup-trace.txt"
bench='C:\Program Files\Dabiro Bench'

load=$(cut -d' ' -f1-3 /proc/loadavg)
table=$("$WINE" "$DABIRO_BUILD/win64/bin/start_bench.exe" "$runs" "Dabiro=$dabiro" \
  "Bare window/1.5=$bench\\bare_window.exe" \
  "Bare window with the editor's windows=$bench\\bare_controls.exe" "WordPad/0.4=$wordpad" \
  "Dabiro, measuring build=$bench\\Dabiro_trace.exe" | tr -d '\r')
steps=$(/usr/bin/python3 bench/startup_trace.py "$bench_folder/startup-trace.txt")

replace_doc_section "## Start-up against a bare window" "## Start-up against a bare window

Measured on $(date -u +%Y-%m-%d) with \`bench/compare-startup.sh $runs\`, on the machine
above. Load average at the start: $load.

$table

\`start_bench.exe\` (bench/win) starts the five programs in turn, one untimed
round first, then $runs timed rounds, each until its main window is shown and
idle as above. It waits 0.3 s before each start: the window server and
Wine's desktop go on tidying up after the program just ended, and a start
in that moment overlapped their work (every start took about 20 ms longer
without the pause, the bare window's a fifth, and the one after the bare
window longer still). \"Bare window\" is \`bench/win/bare_window.cpp\`: one class,
one window of the editor's size, shown and painted, a message loop; what
the window system itself takes. \"With the editor's windows\" is
\`bench/win/bare_controls.cpp\`: the same window with the editor's menu bar,
toolbar panel (the editor draws its fourteen buttons itself), font field,
size field and its arrows, palette window, rich edit control, the text's
view over it with its scroll bar, and status bar, each drawn by the window
system alone: what the window system takes for the editor's windows,
without anything of the editor. A ratio is the median of
the rounds' ratios. The measuring build is the editor's objects with a
recorder of the marks between its start-up steps; its own start-up shows
what the marks cost. Its steps, each the time since the previous mark:

$steps

What the start no longer does: load the common dialogs and the shell with
the program (they are loaded at their first call; with what they load in
turn they took about 45 ms and 6 MiB under Wine), enumerate the fonts (the
font list is filled when its field first takes the focus or opens; about
33 ms for the 339 font families of this machine), load the seven pictures
of disabled buttons (loaded when first drawn), repaint each of the
palette's 96 cells on its own, probe the control's storage where its
library is rich edit 2.0 or later, or ask the window server what the
program knows: the palette asked for the focus once per cell while it
painted (96 questions, about 3 ms of the first paint), the text control was
given its unchanged format rectangle again at each paint of the window and
drew itself again at once each time, and the toolbar buttons asked for
repaints before the window showed; nor convert the toolbar pictures to the
screen's format (they are kept as the resource's own bits, which took a
quarter of the time); nor make a window for each of the fourteen toolbar
buttons (the toolbar panel draws them and takes the mouse for them: the
button windows took about 26 ms of the start, a tenth of it), make the
tooltips (they are made when the mouse first moves over the toolbar, about
5 ms), draw the text control, which lies under the reading view and is
never seen (about 5 ms), or draw the reading view's scroll bar twice (it is
laid out before the window shows, and drawn once with the frame); nor make
the hidden application window, which owns the dialogs and the clipboard
(it is made when first needed; under Wine each top-level window is also a
window of the display's, about 3 ms), let the font field's list fit itself
to whole items (it is given the height of eight, which the field showed
before too; fitting moved the list's desktop window several times, about
5 ms of \"font and size fields\"), or make the palette with scroll bars
only to hide them (its cells fit); nor make the main window without its
menu bar and give it the bar after, which changed the frame of a window
already made, or move the windows already in their places again when the
main window first shows. Loading
the rich edit library on a second thread beside the menus and the toolbar
was tried and left: under Wine the start took as long or longer, and the
thread took 1.3 MiB.

What remains is almost all the window system's own work for the editor's
windows: the editor takes about a twentieth longer than the bare window with
the same windows (its row above), whose palette and font list are made as
the editor's now are; that program alone takes 1.5x to 1.6x the bare
window, so the goal of 1.5x is out of reach of the editor's windows
themselves. Under Wine each window costs the program round
trips to the window server, when it is made and again when the main window
shows, as each child's frame and background are drawn one by one: the
toolbar panel, the font field (whose list is a window of its own on the
desktop: the largest part of \"font and size fields\"), the size field and its
arrows, the palette, the reading view and the status bar. The reading
view's frame with its scroll bar, which the theme of Wine's prefix draws,
is the largest single part of \"shown\" (a third of it in a trace of the
messages). Beside them: the first window of the process (the main
window, which also starts Wine's display driver), showing
the main window (its frame, menu bar, activation and the focus in the
text) and the rich edit library with the libraries it loads. The ratio to
the bare window varies from run to run by a tenth and more with the
load of the machine (other work on its two cores)."
echo "$table"
echo "$steps"
echo "Written to docs/benchmarks.md"
