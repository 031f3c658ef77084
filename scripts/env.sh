# Sourced by the scripts: one deterministic Wine environment per checkout.
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export DABIRO_REPO=$repo
export DABIRO_BUILD=${DABIRO_BUILD:-$repo/build}
export WINEPREFIX=${WINEPREFIX:-$DABIRO_BUILD/wine/prefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
# C.UTF-8 gives Wine the en-US locale, whose ANSI code page is 1252;
# DABIRO_LOCALE runs a program under another (fa_IR.UTF-8 gives 1256).
export LANG=${DABIRO_LOCALE:-C.UTF-8} LC_ALL=${DABIRO_LOCALE:-C.UTF-8}
export WINE=/usr/lib/wine/wine64
