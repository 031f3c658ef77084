#!/usr/bin/env bash
# Times replacing a large document (Open of a small one, New) in Dabiro.exe
# and Wine's WordPad in one run, and Select all + Delete/Cut in Dabiro;
# writes the tables into docs/benchmarks.md under "Replacing a large
# document".
# Usage: bench/replace-document.sh [runs [cap-seconds [dabiro-only|replacing-only]]]
#        (default 5 runs, at least 5; a WordPad round is capped at 180 s;
#        replacing-only leaves out the emptying table)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
cap=${2:-180}
[ "$runs" -ge 5 ] 2>/dev/null || { echo "usage: $0 [runs, at least 5 [cap-seconds [dabiro-only]]]" >&2; exit 2; }
bench_target=replace_bench
source bench/wine-bench.sh
programs=("$dabiro")
[ "${3:-}" = dabiro-only ] || programs+=("$wordpad")
[ "${3:-}" = replacing-only ] && programs=(replacing-only "${programs[@]}")
load=$(cut -d' ' -f1-3 /proc/loadavg)
tables=$("$WINE" "$DABIRO_BUILD/win64/bin/replace_bench.exe" "$runs" "$cap" "${programs[@]}" | tr -d '\r')

section="## Replacing a large document

Measured on $(date -u +%Y-%m-%d) with \`bench/replace-document.sh $runs $cap${3:+ $3}\`, on the
machine above. Load average at the start: $load.

$tables

\`replace_bench.exe\` (bench/win) starts each program for every round, with
the documents' folder as its current directory (one untimed fresh round
first), opens the large document through File/Open (untimed), then times
the step against the same step after a small document: File/Open of
a 12-byte text (Alt+F, O, its name in the dialog, Open pressed) until the
title names it, the control holds its 12 characters and the process is
idle, against the same in a freshly started program; or File/New (Alt+F,
N; WordPad's question for the kind of document answered with OK) until
the text is empty and the process is idle, against New after the 12-byte
text (New in an empty, fresh editor would look done before it ran).
Emptiness is asked by lines, not by the text's length: a length asked of
a control subclassed as ANSI, as Dabiro's is, is answered by converting
the whole text, which for the 1 MB text cost the bench's own poll a
tenth of a second. The documents are those of the files bench:
1 MiB of plain text lines and 400 KiB of RTF. A round that does not finish
within the cap shows as \"over N s\", and the rest of its rounds are left
out. The emptying table opens plain texts of growing size, chooses
Edit/Select all, then presses Delete or chooses Edit/Cut, one round each."
# The section replaces its last version; compare-wordpad.sh keeps it and
# the sections after it.
source bench/doc-section.sh
replace_doc_section "## Replacing a large document" "$section"
echo "$tables"
echo "Written to docs/benchmarks.md"
