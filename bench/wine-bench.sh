# Sourced by the Wine benchmarks: builds the programs and the benches named
# in $bench_target, runs on $DISPLAY or a private Xvfb, readies the test
# prefix, and installs the release files on C: as a user unpacks them (the
# editor's open dialog then starts in its own folder, as WordPad's starts
# on C: too).
source scripts/env.sh
source scripts/xvfb.sh

cmake --preset win64 -B "$DABIRO_BUILD/win64" >/dev/null
cmake --build "$DABIRO_BUILD/win64" -j2 --target Dabiro fontsetup glyph_font $bench_target

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  start_private_xvfb
  trap '/usr/lib/wine/wineserver -k 2>/dev/null; kill $DABIRO_XVFB_PID 2>/dev/null' EXIT
fi
scripts/wine-prefix.sh
/usr/lib/wine/wineserver -p || true
# Wine's background services start now, not during the first measurement.
"$WINE" wineboot >/dev/null 2>&1

wordpad='C:\Program Files\Windows NT\Accessories\wordpad.exe'
cmake --install "$DABIRO_BUILD/win64" --prefix "$WINEPREFIX/drive_c/Program Files/Dabiro" >/dev/null
dabiro='C:\Program Files\Dabiro\Dabiro.exe'
