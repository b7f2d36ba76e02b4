#!/usr/bin/env bash
# Installs the Debian packages the build, tests, tools and benchmarks need; skips what is there.
# Chromium and python3 serve the tool's tests only: a headless browser renders kestrin report's
# page and python3 counts the colours of its screenshot.
#   scripts/install-deps.sh             the Linux builds
#   scripts/install-deps.sh --windows   the Windows cross builds: MinGW-w64, Wine, GoogleTest
#                                       sources, clang, lld and llvm for the Microsoft ABI
#                                       (scripts/windows-build.sh)
#   scripts/install-deps.sh --m32       the 32-bit Linux build (preset m32): multilib compilers,
#                                       qemu-user, GoogleTest sources
set -euo pipefail
PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev
          libbenchmark-dev nlohmann-json3-dev libcli11-dev libcurl4-openssl-dev binutils
          valgrind chromium python3)
# Without their recommends: Wine's would bring fonts, sound and graphics stacks no test needs.
WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-i686 g++-mingw-w64-x86-64
                  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 googletest nlohmann-json3-dev
                  libcli11-dev wine wine64 clang lld llvm)
M32_PACKAGES=(cmake ninja-build g++-multilib qemu-user googletest nlohmann-json3-dev libcli11-dev)
options=()
if [ "${1:-}" = "--windows" ]; then
  PACKAGES=("${WINDOWS_PACKAGES[@]}")
  options=(--no-install-recommends)
elif [ "${1:-}" = "--m32" ]; then
  PACKAGES=("${M32_PACKAGES[@]}")
fi
missing=()
for package in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${options[@]}" "${missing[@]}"
fi
