#!/usr/bin/env bash
# Builds the runtime of the 32-bit programs for the 486. Debian's i686
# MinGW-w64 compilers default to the Pentium Pro, and their runtime
# libraries were built that way: libstdc++, libgcc and MinGW-w64's start-up
# code and C library hold cmov and fcomi, which stop a 486 or a Pentium
# before WinMain. This builds them again from Debian's sources of the
# installed versions with -march=i486, with the installed compiler.
#
# Usage: runtime-i486.sh OUT. OUT/lib receives the start-up files and static
# libraries; the win32 toolchain has the compiler search it first (-B).
# Does nothing when OUT already holds a build of the same sources, compiler
# and script. Takes about four minutes on two cores.
set -eEuo pipefail

out=$(realpath -m "$1")
triple=i686-w64-mingw32
cc=$triple-gcc-win32
cxx=$triple-g++-win32
flags="-O2 -march=i486"
jobs=$(nproc)
gccTarball=/usr/src/gcc-12/gcc-12.2.0-dfsg.tar.xz
gccVersion=$(dpkg-query -W -f='${Version}' gcc-12-source)
compilerVersion=$(dpkg-query -W -f='${Version}' gcc-mingw-w64-i686-win32)
crtVersion=$(dpkg-query -W -f='${Version}' mingw-w64-i686-dev)
stamp=$({ sha256sum "$0"; echo "$gccVersion $compilerVersion $crtVersion"; } | sha256sum | cut -c1-16)

if [[ -f $out/lib/stamp && $(<"$out/lib/stamp") == "$stamp" ]]; then
  exit 0
fi
# The libraries must come from the compiler's own sources: Debian's cross
# compiler's version is the version of gcc-12-source it was built from plus
# its own suffix.
if [[ $compilerVersion != "$gccVersion"+* ]]; then
  echo "runtime-i486: gcc-12-source $gccVersion is not the source of the compiler $compilerVersion" >&2
  exit 1
fi

work=$out/work
rm -rf "$out"
mkdir -p "$work" "$out/lib"
started=$SECONDS
trap '((BASH_SUBSHELL)) || echo "runtime-i486: failed; the logs are in $work/build" >&2' ERR

# GCC's sources: only what libgcc and libstdc++ build from.
FetchGcc() {
  tar xf "$gccTarball" -C "$work" --exclude=gcc-12.2.0/gcc/testsuite --exclude=gcc-12.2.0/gcc/po \
    gcc-12.2.0/{libgcc,libstdc++-v3,libbacktrace,libiberty,include,config,gcc} \
    gcc-12.2.0/{config.sub,config.guess,install-sh,missing,mkinstalldirs,move-if-change} \
    gcc-12.2.0/{ltmain.sh,config-ml.in}
  gccSource=$work/gcc-12.2.0
}

# MinGW-w64's sources come as a Debian source package, from the archives
# the system installs its packages from, through source lists of our own
# so that the system's apt settings stay as they are.
FetchCrt() {
  local apt=$work/apt
  mkdir -p "$apt/parts" "$apt/lists/partial"
  sed -n 's/^deb /deb-src /p' /etc/apt/sources.list 2>/dev/null >"$apt/sources.list" || true
  for list in /etc/apt/sources.list.d/*.sources; do
    [[ -f $list ]] && sed 's/^Types: deb$/Types: deb-src/' "$list" >"$apt/parts/$(basename "$list")"
  done
  local options=(-o Dir::Etc::SourceParts="$apt/parts" -o Dir::Etc::SourceList="$apt/sources.list"
                 -o Dir::State::Lists="$apt/lists" -o APT::Sandbox::User=root -qq)
  apt-get "${options[@]}" update
  (cd "$apt" && apt-get "${options[@]}" source --download-only "mingw-w64=$crtVersion" >/dev/null)
  tar xf "$apt"/mingw-w64_"${crtVersion%-*}".orig.tar.bz2 -C "$work"
  crtSource=$(echo "$work"/mingw-w64-v*/mingw-w64-crt)
}

# libgcc reads the compiler's configuration from GCC's build folder; the
# compiler's plugin headers are that configuration as it was built.
BuildLibgcc() {
  local gccDir=$work/build/gcc
  mkdir -p "$gccDir/include" "$work/build/$triple/libgcc"
  cp -rs "/usr/lib/gcc/$triple/12-win32/plugin/include/." "$gccDir/"
  cat >"$gccDir/tconfig.h" <<'EOF'
#ifndef GCC_TCONFIG_H
#define GCC_TCONFIG_H
#ifndef USED_FOR_TARGET
# define USED_FOR_TARGET
#endif
#include "auto-host.h"
#ifdef IN_GCC
# include "ansidecl.h"
# include "config/i386/xm-mingw32.h"
#endif
#endif
EOF
  cat >"$gccDir/libgcc.mvars" <<'EOF'
GCC_CFLAGS = -DIN_GCC -DCROSS_DIRECTORY_STRUCTURE -W -Wall -Wno-narrowing -Wwrite-strings -Wcast-qual -Wstrict-prototypes -Wmissing-prototypes -Wold-style-definition -isystem ./include
INHIBIT_LIBC_CFLAGS =
TARGET_SYSTEM_ROOT =
NO_PIE_CFLAGS =
EOF
  # Shared as the compiler was configured, so that the unwinder goes into
  # libgcc_eh.a as the driver expects.
  (cd "$work/build/$triple/libgcc" &&
    "$gccSource/libgcc/configure" --build=x86_64-linux-gnu --host=$triple --prefix=/usr \
      --enable-shared --enable-version-specific-runtime-libs host_subdir=. \
      CC=$cc CFLAGS="$flags" >configure.log 2>&1 &&
    make -j"$jobs" >make.log 2>&1 &&
    cp libgcc.a libgcc_eh.a crtbegin.o crtend.o "$out/lib/")
}

# libstdc++ with the configuration of the installed one; built without the
# installed headers (-nostdinc++) as in GCC's own build.
BuildLibstdcxx() {
  local dir=$work/build/$triple/libstdc++-v3
  mkdir -p "$dir"
  (cd "$dir" &&
    "$gccSource/libstdc++-v3/configure" --build=x86_64-linux-gnu --host=$triple --prefix=/usr \
      --disable-shared --enable-static --enable-symvers=gnu --disable-multilib \
      --enable-libstdcxx-time=yes --enable-fully-dynamic-string \
      --enable-libstdcxx-filesystem-ts=yes --enable-version-specific-runtime-libs \
      --disable-libstdcxx-pch CC=$cc CXX="$cxx -nostdinc++" \
      CFLAGS="$flags" CXXFLAGS="$flags" >configure.log 2>&1 &&
    make -j"$jobs" >make.log 2>&1)
  # The configuration must be the one the programs are compiled against.
  cmp "$dir/include/$triple/bits/c++config.h" \
    "/usr/lib/gcc/$triple/12-win32/include/c++/$triple/bits/c++config.h"
  cp "$dir/src/.libs/libstdc++.a" "$dir/libsupc++/.libs/libsupc++.a" "$out/lib/"
}

# MinGW-w64's start-up code, C library additions and msvcrt.dll binding;
# the import libraries hold no code and stay as installed.
BuildCrt() {
  local dir=$work/build/crt
  mkdir -p "$dir"
  (cd "$dir" &&
    "$crtSource/configure" --host=$triple --prefix=/usr/$triple --disable-lib64 --enable-lib32 \
      CC=$cc CFLAGS="$flags" >configure.log 2>&1 &&
    mkdir -p lib32 &&
    make -j"$jobs" lib32/{crt2.o,libmingw32.a,libmingwex.a,libmsvcrt.a,libmoldname.a} >make.log 2>&1 &&
    cp lib32/{crt2.o,libmingw32.a,libmingwex.a,libmsvcrt.a,libmoldname.a} "$out/lib/")
}

FetchGcc
FetchCrt
BuildLibgcc
BuildLibstdcxx
BuildCrt
rm -rf "$work"
echo "$stamp" >"$out/lib/stamp"
echo "runtime-i486: built in $((SECONDS - started)) s"
