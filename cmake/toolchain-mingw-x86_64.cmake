# 64-bit Windows with Debian's MinGW-w64 cross compilers (packages g++-mingw-w64-x86-64,
# binutils-mingw-w64-x86-64): the Windows build whose tests run here under wine64.
set(KESTRIN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/MinGWToolchain.cmake)
