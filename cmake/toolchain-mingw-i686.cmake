# 32-bit Windows, the platform the client runs on, with Debian's MinGW-w64 cross compilers
# (packages g++-mingw-w64-i686, binutils-mingw-w64-i686).
set(KESTRIN_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/MinGWToolchain.cmake)
