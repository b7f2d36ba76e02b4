# Fails unless clang, compiling include/I3DRoleBaseData.h for TRIPLE, gives the interface's
# operations the slots of BindingOrder.txt, all 63 of them.
#   cmake -DCLANG=<clang++> -DTRIPLE=<triple> -DSOURCE_DIR=<project> -P CheckVtableOrder.cmake
set(probe ${SOURCE_DIR}/tests/abi/VtableProbe.cpp)
set(flags -std=c++17 -fno-rtti -I${SOURCE_DIR}/include)
if(TRIPLE MATCHES "msvc")
  # No Microsoft headers here: the freestanding stand-ins for the few standard headers.
  list(APPEND flags -ffreestanding -nostdinc++ -isystem ${SOURCE_DIR}/cmake/msvc-std)
endif()
execute_process(COMMAND ${CLANG} --target=${TRIPLE} ${flags} -c -o ${CMAKE_CURRENT_BINARY_DIR}/VtableProbe-${TRIPLE}.o
                        -Xclang -fdump-vtable-layouts ${probe}
                OUTPUT_VARIABLE dump ERROR_VARIABLE errors RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${CLANG} --target=${TRIPLE} failed on ${probe}:\n${errors}")
endif()

# The table of I3DRoleBaseData itself: "VFTable for" (Microsoft) or "Vtable for" (Itanium),
# up to the first empty line; its entries "  <n> | <operation> [pure]".
string(REGEX MATCH "(VFTable|Vtable) for 'I3DRoleBaseData'[^\n]*\n(([^\n]+\n)+)" table "${dump}")
if(NOT table)
  message(FATAL_ERROR "no table of I3DRoleBaseData in the layout dump for ${TRIPLE}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${CMAKE_MATCH_2}")
set(slots "")
foreach(line ${lines})
  if(line MATCHES "^ *[0-9]+ \\| (.*I3DRoleBaseData::.*) \\[pure\\]$")
    list(APPEND slots "${CMAKE_MATCH_1}")
  endif()
endforeach()

file(STRINGS ${SOURCE_DIR}/tests/abi/BindingOrder.txt expected REGEX "^[^#]")
list(LENGTH expected count)
list(LENGTH slots found)
if(NOT found EQUAL count)
  message(FATAL_ERROR "${TRIPLE}: ${found} slots, the binding order has ${count}")
endif()
set(wrong "")
math(EXPR last "${count} - 1")
foreach(slot RANGE ${last})
  list(GET expected ${slot} want)
  list(GET slots ${slot} got)
  if(NOT got STREQUAL want)
    string(APPEND wrong "\n  slot ${slot}: ${got}; the binding order has ${want}")
  endif()
endforeach()
if(wrong)
  message(FATAL_ERROR "${TRIPLE} lays out I3DRoleBaseData out of the binding order:${wrong}")
endif()
message(STATUS "${TRIPLE}: all ${count} slots in the binding order")
