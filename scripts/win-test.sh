#!/usr/bin/env bash
# Runs Windows tests of the win64 build under Wine, chosen by a GoogleTest
# filter: scripts/win-test.sh 'Printing.*' or 'Files/FailedSave.*'.
# Builds nothing: run the test command, or build the win64 preset, first.
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -ge 1 ] || { echo "usage: $0 GTEST_FILTER [more gtest options]" >&2; exit 2; }
source scripts/env.sh
source scripts/xvfb.sh
source scripts/wine-session.sh
tests="$DABIRO_BUILD/win64/bin/win_tests.exe"
[ -f "$tests" ] || { echo "$tests is not built: cmake --build --preset win64" >&2; exit 2; }
start_wine_session
filter=$1
shift
"$WINE" "$tests" --gtest_filter="$filter" "$@"
