#!/usr/bin/env bash
# Builds and starts the editor under Wine, with the document FILE if one is
# given: scripts/run.sh [FILE]. Without a display it runs on a private Xvfb
# and saves a screenshot instead.
set -euo pipefail
# A file of this machine, as Wine's drive Z: names it.
document=()
if [ $# -gt 0 ]; then
  full=$(realpath -m -- "$1")
  document=("Z:${full//\//\\}")
fi
cd "$(dirname "$0")/.."
scripts/setup.sh
source scripts/env.sh
source scripts/xvfb.sh
cmake --preset win64 -B "$DABIRO_BUILD/win64" >/dev/null
cmake --build "$DABIRO_BUILD/win64" -j "$(nproc)"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  scripts/wine-prefix.sh
  exec "$WINE" "$DABIRO_BUILD/win64/bin/Dabiro.exe" "${document[@]}"
fi

start_private_xvfb
trap '/usr/lib/wine/wineserver -k 2>/dev/null; kill $DABIRO_XVFB_PID 2>/dev/null' EXIT
scripts/wine-prefix.sh
"$WINE" "$DABIRO_BUILD/win64/bin/Dabiro.exe" "${document[@]}" &
for _ in $(seq 100); do
  xdotool search --name ' - Dabiro$' >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 2
shot=$DABIRO_BUILD/screenshot.png
import -window root "$shot"
echo "No display: the editor ran on a private Xvfb; screenshot saved to $shot"
