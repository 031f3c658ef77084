#!/usr/bin/env bash
# The whole test run: installs what is missing, builds the native, win32 and
# win64 builds, and runs the native, Wine and end-to-end tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
source scripts/env.sh
source scripts/xvfb.sh

jobs=$(nproc)
for preset in native win32 win64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

ctest --preset native

cleanup() {
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  [ -n "${DABIRO_XVFB_PID:-}" ] && kill "$DABIRO_XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT
unset DISPLAY
start_private_xvfb
scripts/cups-start.sh
scripts/wine-prefix.sh
/usr/lib/wine/wineserver -p
ctest --preset win64
