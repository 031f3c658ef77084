# Sourced: start_wine_session gives the Windows tests what they need — a
# private Xvfb, the local CUPS printer, the Wine prefix and its background
# services — and stops Xvfb and the Wine server when the script exits.
# Needs scripts/env.sh and scripts/xvfb.sh sourced first.
stop_wine_session() {
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  [ -n "${DABIRO_XVFB_PID:-}" ] && kill "$DABIRO_XVFB_PID" 2>/dev/null || true
}

start_wine_session() {
  trap stop_wine_session EXIT
  unset DISPLAY
  start_private_xvfb
  "$DABIRO_REPO/scripts/cups-start.sh"
  "$DABIRO_REPO/scripts/wine-prefix.sh"
  /usr/lib/wine/wineserver -p || true  # already running for this prefix is fine
  # Start Wine's background services now: started by the first test they
  # would inherit its output pipe and keep CTest waiting.
  "$WINE" wineboot >/dev/null 2>&1
}
