#!/usr/bin/env bash
# Creates the test prefix once: Wine places and focuses its own windows
# (no window manager on Xvfb), and the glyph font is installed the way the
# installer does it (not with DABIRO_WITHOUT_GLYPH_FONT=1, for the tests
# that install it themselves). Idempotent.
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

# Wine's own fonts (Marlett for the caption buttons, Tahoma, the "MS Sans
# Serif" the dialogs are laid out in) come with fonts-wine, but this Wine
# does not look in its data folder for them: give the prefix its copies
# where Windows keeps its fonts.
fonts=$WINEPREFIX/drive_c/windows/Fonts
if ! cmp -s /usr/share/wine/fonts/marlett.ttf "$fonts/marlett.ttf"; then
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/* "$fonts/"
  /usr/lib/wine/wineserver -k 2>/dev/null || true
fi

font=$DABIRO_BUILD/win64/bin/pfontnt.ttf
dest=$WINEPREFIX/drive_c/windows/Fonts/pfont.ttf
if [ -z "${DABIRO_WITHOUT_GLYPH_FONT:-}" ] && [ -f "$font" ] && ! cmp -s "$font" "$dest"; then
  cp "$font" "$dest"
  # Wine reads its font list at start-up: restart the server.
  /usr/lib/wine/wineserver -k 2>/dev/null || true
fi
