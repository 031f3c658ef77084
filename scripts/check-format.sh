#!/usr/bin/env bash
# Whether every C++ source is as .clang-format writes it:
# scripts/check-format.sh [--fix]. With --fix it rewrites the files instead.
set -euo pipefail
cd "$(dirname "$0")/.."
format=/usr/bin/clang-format-14
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --fix ]; then
  "$format" -i "${sources[@]}"
else
  "$format" --dry-run -Werror "${sources[@]}"
fi
