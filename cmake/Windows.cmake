# Windows builds with MinGW-w64 (cmake/toolchain-mingw-*.cmake). Every library lands as
# <Name>.dll in one folder, bin/, beside the test programs and the tool, the way the client's
# folder holds the module and its sibling libraries. Each DLL and program carries its own copy
# of the compiler's runtime, so it needs nothing but the system's DLLs and its siblings.
#
# KESTRIN_HOST_DRIVE goes in front of a folder of this machine compiled into a program, so that
# the program finds it: a cross-built Windows program runs under Wine, which shows this
# machine's whole file system as drive Z:. Empty for every other build.
set(KESTRIN_HOST_DRIVE "")
if(NOT WIN32)
  return()
endif()
if(CMAKE_CROSSCOMPILING)
  set(KESTRIN_HOST_DRIVE "Z:")
endif()

set(CMAKE_SHARED_LIBRARY_PREFIX "")
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

if(MINGW)
  # libgcc, libstdc++ and the thread library linked in: no libstdc++-6.dll, libgcc_s_*.dll or
  # libwinpthread-1.dll next to the module.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # The shipping build carries no symbol tables; a crash record names module and offset only.
  add_link_options($<$<CONFIG:Release>:-s>)
  # Frame pointers kept, so that a crash record can walk the stack of the shipping build.
  add_compile_options(-fno-omit-frame-pointer)
endif()

# The test programs run under Wine when it can run this build's machine code: wine64 for
# 64-bit programs, the i386 loader of wine32 for 32-bit ones.
if(CMAKE_CROSSCOMPILING)
  find_program(KESTRIN_WINE wine)
  set(_wine_ok OFF)
  if(KESTRIN_WINE)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
      set(_wine_ok ON)
    elseif(EXISTS /usr/lib/wine/wine OR EXISTS /usr/lib/i386-linux-gnu/wine/wine)
      set(_wine_ok ON)
    endif()
  endif()
  option(KESTRIN_WINE_TESTS "Run the Windows test programs under Wine" ${_wine_ok})
  if(KESTRIN_WINE_TESTS)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh)
  else()
    message(STATUS "No Wine for ${CMAKE_SIZEOF_VOID_P}-byte pointers: the test programs are "
                   "built, not run; the DLL checks still run")
  endif()
endif()

# Header-only libraries installed for the host serve any target, but their package
# configurations name /usr/include, which must not come before the cross compiler's own
# headers. Each gets a configuration of its own in the build folder that names only its
# header folder, through a link.
function(kestrin_host_headers package target)
  set(dir ${CMAKE_BINARY_DIR}/host-headers/${package})
  file(MAKE_DIRECTORY ${dir}/include)
  foreach(header ${ARGN})
    if(EXISTS /usr/include/${header} AND NOT EXISTS ${dir}/include/${header})
      file(CREATE_LINK /usr/include/${header} ${dir}/include/${header} SYMBOLIC)
    endif()
  endforeach()
  file(WRITE ${dir}/${package}Config.cmake
       "if(NOT TARGET ${target})\n"
       "  add_library(${target} INTERFACE IMPORTED)\n"
       "  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${dir}/include)\n"
       "endif()\n")
  set(${package}_DIR ${dir} CACHE PATH "Host headers for the cross build" FORCE)
endfunction()
if(CMAKE_CROSSCOMPILING)
  kestrin_host_headers(CLI11 CLI11::CLI11 CLI)
  kestrin_host_headers(nlohmann_json nlohmann_json::nlohmann_json nlohmann)
endif()
