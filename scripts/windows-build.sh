#!/usr/bin/env bash
# The Windows builds, from this Linux machine:
#  1. the 32-bit DLLs users ship (preset win32: Kestrin.dll, ZorAppUtil.dll and every other
#     stand-in, in build/win32/bin/), checked for their export tables and imports, and packed
#     with kestrin.exe, Kestrin.lib, the headers and a README into the ZIP build/win32/zip-check/*.zip;
#  2. the 64-bit Windows build (preset win64) with the whole test suite, run under wine64;
#  3. a client built for the Microsoft ABI around both (scripts/msabi-client.sh): the 64-bit one
#     run under wine64 and compared with the Linux build, the 32-bit one linked only.
# The 32-bit test programs are built and run only where Wine can run 32-bit programs (Debian's
# wine32 from the i386 architecture); KESTRIN_WINE32=1 tries to install it first.
# Installs what it needs; builds with two jobs.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh --windows

if [ "${KESTRIN_WINE32:-0}" = "1" ] && [ ! -x /usr/lib/wine/wine ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  added=0
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
    added=1
  fi
  if ! { $SUDO apt-get update -qq &&
         DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
           wine32:i386; }; then
    echo "wine32 could not be installed: the 32-bit test programs are neither built nor run"
    # A foreign architecture whose package lists fail to load would fail every later update.
    if [ "$added" = 1 ]; then
      $SUDO dpkg --remove-architecture i386 && $SUDO apt-get update -qq || true
    fi
  fi
fi

wine32=OFF
[ -x /usr/lib/wine/wine ] && wine32=ON

echo "== 32-bit Windows DLLs (build/win32/bin)"
cmake --preset win32 -DKESTRIN_WINE_TESTS=$wine32 >/dev/null
cmake --build --preset win32 -j2  # the DLLs and the tool
ctest --preset win32              # their export tables and imports, the ZIP
if [ "$wine32" = ON ]; then
  echo "== 32-bit Windows test suite under wine32"
  cmake --build build/win32 -j2
  ctest --test-dir build/win32 -j2 --output-on-failure
else
  echo "no wine32 (i386 architecture): the 32-bit test programs are neither built nor run"
fi

echo "== 64-bit Windows build, tests under wine64"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j2
retries="${WINEPREFIX:-build/wineprefix}.retries"
rm -f "$retries"
rc=0
ctest --preset win64 || rc=$?
if [ -s "$retries" ]; then
  echo "== wine launches that ran nothing and were tried again:"
  cat "$retries"
fi

echo "== The module in a Microsoft-ABI client"
[ -f build/dev/CMakeCache.txt ] || cmake --preset dev >/dev/null
./scripts/msabi-client.sh || rc=1
exit "$rc"
