#!/usr/bin/env bash
# Runs one end-to-end test of the win64 build by its name:
# scripts/e2e-test.sh acceptance   (tests/e2e/test_acceptance.py)
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -eq 1 ] || { echo "usage: $0 NAME (tests/e2e/test_NAME.py)" >&2; exit 2; }
source scripts/env.sh
source scripts/xvfb.sh
source scripts/wine-session.sh
start_wine_session
ctest --test-dir "$DABIRO_BUILD/win64" --output-on-failure --no-tests=error -R "^e2e_test_$1\$"
