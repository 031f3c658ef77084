#!/usr/bin/env bash
# The whole test run: installs what is missing, builds the native, win32 and
# win64 builds, and runs the native, Wine and end-to-end tests.
# DABIRO_BUILD chooses the build folder (default ./build); DABIRO_PRESETS
# limits the builds (default "native win32 win64").
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
source scripts/env.sh
source scripts/xvfb.sh

presets=${DABIRO_PRESETS:-native win32 win64}
for preset in $presets; do
  options=()
  if [[ $preset == win32 ]]; then
    # The 32-bit programs link a runtime built for the 486.
    scripts/runtime-i486.sh "$DABIRO_BUILD/runtime-i486"
    options=(-DDABIRO_RUNTIME_I486="$DABIRO_BUILD/runtime-i486")
  fi
  cmake --preset "$preset" -B "$DABIRO_BUILD/$preset" "${options[@]}" >/dev/null
  cmake --build "$DABIRO_BUILD/$preset" -j "$(nproc)"
done

# The sources as .clang-format writes them (scripts/check-format.sh --fix
# rewrites them so).
scripts/check-format.sh

# Each program must start on the oldest Windows its build is for: nothing
# imported that Windows 95 and NT 4.0 (32-bit) or 64-bit XP (64-bit) lack.
/usr/bin/python3 tools/test_check_imports.py
for preset in $presets; do
  case $preset in
    win32) oldest=95,4.0 ;;
    win64) oldest=none,5.2 ;;
    *) continue ;;
  esac
  /usr/bin/python3 tools/check_imports.py --oldest "$oldest" \
    "$DABIRO_BUILD/$preset/bin/Dabiro.exe" "$DABIRO_BUILD/$preset/bin/fontsetup.exe" \
    "$DABIRO_BUILD/$preset/bin/dabiro-convert.exe" "$DABIRO_BUILD/$preset/bin/Dabiro_trace.exe"
done

# And the 32-bit programs must run on a 486: no instruction of a later CPU
# in them, runtime included, but where their code asks the CPU first.
/usr/bin/python3 tools/test_check_instructions.py
if [[ " $presets " == *" win32 "* ]]; then
  /usr/bin/python3 tools/check_instructions.py "$DABIRO_BUILD"/win32/bin/{Dabiro,fontsetup,dabiro-convert}.exe
fi

# The release ZIPs of both architectures, and what they hold.
if [[ " $presets " == *" win32 "* && " $presets " == *" win64 "* ]]; then
  for preset in win32 win64; do
    (cd "$DABIRO_BUILD/$preset" && cpack -B "$DABIRO_BUILD/packages" >/dev/null)
  done
  rm -rf "$DABIRO_BUILD/packages/_CPack_Packages"
  /usr/bin/python3 tests/package/check_packages.py "$DABIRO_BUILD/packages"
fi

if [[ " $presets " == *" native "* ]]; then
  ctest --test-dir "$DABIRO_BUILD/native" --output-on-failure
  # A short, seeded fuzzing run of the file reader's line-break converter.
  cmake -S tests/fuzz -B "$DABIRO_BUILD/fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build "$DABIRO_BUILD/fuzz" -j "$(nproc)"
  ctest --test-dir "$DABIRO_BUILD/fuzz" --output-on-failure
fi

if [[ " $presets " == *" win64 "* ]]; then
  source scripts/wine-session.sh
  start_wine_session
  ctest --test-dir "$DABIRO_BUILD/win64" --output-on-failure ${DABIRO_CTEST_ARGS:-}
fi
