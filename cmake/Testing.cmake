# Registers a GoogleTest program with CTest. Natively every test case becomes a CTest test.
# A cross build registers the program once, run by the emulator (Wine) as a whole: one Wine
# start per program instead of one per case; the program's own output names any failing case.
function(kestrin_add_gtests target)
  if(NOT CMAKE_CROSSCOMPILING)
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
  elseif(CMAKE_CROSSCOMPILING_EMULATOR)
    add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
    set_tests_properties(${target} PROPERTIES LABELS wine TIMEOUT 900)
  endif()
endfunction()
