#!/usr/bin/env bash
# Starts a local CUPS with the cups-pdf printer "PDF" as the default, so Wine
# prints into PDF files (cups-pdf writes them into $HOME/PDF). Idempotent.
set -euo pipefail
if ! pgrep -x cupsd >/dev/null; then
  mkdir -p /run/cups
  cupsd || true  # another session may have just started it
fi
for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.2; done
if ! lpstat -p PDF >/dev/null 2>&1; then
  lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
fi
lpadmin -d PDF
cupsenable PDF
cupsaccept PDF
