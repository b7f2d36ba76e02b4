# Registers a GoogleTest program with CTest: every test case becomes a CTest test that runs in
# a process of its own (some tests need that: the crash-report upload counts per process). A
# cross build runs them through its emulator (Wine), which also lists them; those tests carry
# the label "wine".
function(kestrin_add_gtests target)
  if(NOT CMAKE_CROSSCOMPILING)
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
  elseif(CMAKE_CROSSCOMPILING_EMULATOR)
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                         PROPERTIES LABELS wine)
  endif()
endfunction()
