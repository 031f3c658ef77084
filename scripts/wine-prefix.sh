#!/usr/bin/env bash
# Creates the test prefix once: Wine places and focuses its own windows
# (no window manager on Xvfb), and the glyph font is installed the way the
# installer does it. Idempotent.
set -euo pipefail
source "$(dirname "$0")/env.sh"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$WINE" wineboot -i >/dev/null 2>&1 || true
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
fi

# The copy of the Windows tests that must see Windows 95.
if ! grep -q 'AppDefaults\\\\win_tests_on_95.exe' "$WINEPREFIX/user.reg"; then
  "$WINE" reg add 'HKCU\Software\Wine\AppDefaults\win_tests_on_95.exe' /v Version /d win95 /f \
    >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
fi

font=$DABIRO_BUILD/win64/bin/pfontnt.ttf
dest=$WINEPREFIX/drive_c/windows/Fonts/pfont.ttf
if [ -f "$font" ] && ! cmp -s "$font" "$dest"; then
  cp "$font" "$dest"
  # Wine reads its font list at start-up: restart the server.
  /usr/lib/wine/wineserver -k 2>/dev/null || true
fi
