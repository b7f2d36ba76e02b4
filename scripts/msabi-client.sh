#!/usr/bin/env bash
# The module inside a client built for the Microsoft ABI, as far as these machines allow. A
# freestanding client (tests/msabi/MicrosoftClient.cpp) and the three sibling libraries
# (tests/msabi/MicrosoftSiblings.cpp) are compiled by clang for the Microsoft ABI and linked by
# lld-link with no C runtime, the client against Kestrin.lib:
#  - 64-bit: run under wine64 beside build/win64's Kestrin.dll on the example data; its answers
#    must equal those of the same calls on the Linux build (build/dev);
#  - 32-bit: built against build/win32's Kestrin.lib (there is no 32-bit Wine to run it).
# Needs build/dev, build/win32 and build/win64 built (scripts/windows-build.sh does this last).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
out=build/msabi
rm -rf "$out"
mkdir -p "$out"
flags=(-std=c++17 -O2 -ffreestanding -nostdinc++ -isystem cmake/msvc-std -fno-exceptions -fno-rtti
       -Wall -Wextra -Werror -Wglobal-constructors)

# The kernel32 functions the client and the siblings call; on 32-bit x86 with their __stdcall
# argument bytes.
kernel32_def() {
  local at4="" at12="" at20="" at0=""
  if [ "$1" = i686 ]; then at0=@0 at4=@4 at12=@12 at20=@20; fi
  printf 'LIBRARY kernel32.dll\nEXPORTS\n'
  printf '  GetStdHandle%s\n  WriteFile%s\n  ExitProcess%s\n' $at4 $at20 $at4
  printf '  GetProcessHeap%s\n  HeapAlloc%s\n  HeapFree%s\n' $at0 $at12 $at12
}

build() {  # <i686|x86_64> <build folder of the module>
  local arch=$1 module=$2 dir=$out/$1 machine=i386:x86-64
  [ "$arch" = i686 ] && machine=i386
  mkdir -p "$dir"
  kernel32_def "$arch" > "$dir/kernel32.def"
  llvm-dlltool -m $machine -k -d "$dir/kernel32.def" -l "$dir/kernel32.lib"
  local target=(--target=$arch-pc-windows-msvc "${flags[@]}")
  for lib in ZorAppUtil:ZORAPPUTIL_BUILD ZorSound:ZORSOUND_BUILD UlmLogic:ULMLOGIC_BUILD; do
    local name=${lib%%:*}
    clang++ "${target[@]}" -D${lib#*:} -Istandins/$name -c tests/msabi/MicrosoftSiblings.cpp \
      -o "$dir/$name.obj"
    lld-link -nologo -dll -nodefaultlib -entry:_DllMainCRTStartup -out:"$dir/$name.dll" \
      "$dir/$name.obj" "$dir/kernel32.lib"
  done
  clang++ "${target[@]}" -Iinclude -c tests/msabi/MicrosoftClient.cpp -o "$dir/client.obj"
  lld-link -nologo -nodefaultlib -subsystem:console -entry:mainCRTStartup -out:"$dir/client.exe" \
    "$dir/client.obj" "$module/bin/Kestrin.lib" "$dir/kernel32.lib"
}

echo "== Microsoft-ABI client and siblings, 32-bit, against build/win32/bin/Kestrin.lib"
build i686 build/win32
echo "== Microsoft-ABI client and siblings, 64-bit, run under wine64 beside build/win64's Kestrin.dll"
build x86_64 build/win64
for side in msvc linux; do
  mkdir -p "$out/run-$side"
  cp -r examples/data/ini examples/data/track "$out/run-$side/"
done
cp build/win64/bin/Kestrin.dll "$out"/x86_64/*.dll "$out/x86_64/client.exe" "$out/run-msvc/"
cmake --build build/dev -j2 --target kestrin_msabi_reference >/dev/null
(cd "$out/run-msvc" && "$root/scripts/wine-run.sh" ./client.exe > answers.txt)
(cd "$out/run-linux" && "$root/build/dev/tests/msabi/kestrin_msabi_reference" > answers.txt)
if ! diff -u "$out/run-linux/answers.txt" "$out/run-msvc/answers.txt"; then
  echo "the Microsoft-ABI client's answers differ from the Linux build's (above: - Linux, + client)"
  exit 1
fi
echo "$(wc -l < "$out/run-msvc/answers.txt") answers of the Microsoft-ABI client equal the Linux build's"
