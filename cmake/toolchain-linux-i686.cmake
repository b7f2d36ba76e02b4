# 32-bit x86 Linux with the host's GNU compilers (g++-multilib): the data model of the 32-bit
# Windows client (4-byte pointers and long) with its alignment of 64-bit fields (-malign-double
# puts double and int64_t on 8 bytes inside records, as the Microsoft compiler does). This
# kernel runs no 32-bit program, so every program of the build, the tests included, runs under
# qemu-user; without binfmt_misc too, because the emulator is named here.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32 -malign-double")
set(CMAKE_CXX_FLAGS_INIT "-m32 -malign-double")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-m32")
find_program(KESTRIN_QEMU_I386 qemu-i386 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KESTRIN_QEMU_I386})

# Only a 64-bit libcurl is installed here: the crash-report upload takes the crash library's
# own HTTP client.
set(CMAKE_DISABLE_FIND_PACKAGE_CURL ON)
