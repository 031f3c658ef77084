#!/usr/bin/env bash
# Times the processor the editor takes while its about box's glyph pulses,
# against the same span with only the main window idle, and writes the
# table to docs/benchmarks.md under "The about box's pulsing".
# Usage: bench/about-box.sh [rounds [seconds]]   (default 5 rounds of 10 s)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}
seconds=${2:-10}
[ "$rounds" -ge 1 ] 2>/dev/null && [ "$seconds" -ge 1 ] 2>/dev/null ||
  { echo "usage: $0 [rounds [seconds]]" >&2; exit 2; }
bench_target=about_bench
source bench/wine-bench.sh
source bench/doc-section.sh
load=$(cut -d' ' -f1-3 /proc/loadavg)
table=$("$WINE" "$DABIRO_BUILD/win64/bin/about_bench.exe" "$rounds" "$seconds" "$dabiro" | tr -d '\r')

replace_doc_section "## The about box's pulsing" "## The about box's pulsing

Measured on $(date -u +%Y-%m-%d) with \`bench/about-box.sh $rounds $seconds\`, on the machine
above. Load average at the start: $load.

$table

\`about_bench.exe\` (bench/win) starts the installed editor for each round,
waits until its main window is shown and idle (as above), and reads the
processor time the process takes over $seconds s; then it opens Help/About
from the keyboard (Alt+H, A), waits until the box has slid in and its glyph
has moved for the first time, and reads the same span again, checking that
the glyph kept moving. The processor time is the sum of the user and kernel
times of the process's threads (\`GetThreadTimes\`): Wine answers
\`GetProcessTimes\` for another process with the caller's own times, and
counts a thread's in the 10 ms ticks of Linux. The pulsing loop handles
messages and sleeps 20 ms at a time, four times for each of the glyph's
steps. What the X server and the Wine server spend on the glyph's repaints
is theirs, not counted here."
echo "$table"
echo "Written to docs/benchmarks.md"
