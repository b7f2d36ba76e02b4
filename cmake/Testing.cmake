# Registers a GoogleTest program with CTest: every test case becomes a CTest test that runs in
# a process of its own (some tests need that: the crash-report upload counts per process). A
# cross build runs them through its emulator (Wine, qemu-user), which also lists them; those
# tests carry the label "emulated".
function(kestrin_add_gtests target)
  if(NOT CMAKE_CROSSCOMPILING)
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
  elseif(CMAKE_CROSSCOMPILING_EMULATOR)
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                         PROPERTIES LABELS emulated)
  endif()
endfunction()

# GoogleTest built from Debian's source package (googletest, /usr/src/googletest) with this
# build's compiler and flags: the packaged libraries are for the host's own ABI only.
macro(kestrin_googletest_from_source)
  set(KESTRIN_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  if(NOT EXISTS ${KESTRIN_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in ${KESTRIN_GOOGLETEST_SOURCE}: "
                        "apt-get install googletest")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(${KESTRIN_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(_lib gtest gtest_main gmock gmock_main)
    if(NOT TARGET GTest::${_lib})
      add_library(GTest::${_lib} ALIAS ${_lib})
    endif()
  endforeach()
endmacro()
