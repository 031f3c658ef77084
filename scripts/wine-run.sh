#!/usr/bin/env bash
# Runs one Windows test program under 64-bit Wine (CTest's emulator).
source "$(dirname "$0")/env.sh"
[ -n "${DISPLAY:-}" ] || { echo "wine-run: DISPLAY is not set (run scripts/test.sh)" >&2; exit 2; }
exec "$WINE" "$@"
