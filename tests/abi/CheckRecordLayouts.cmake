# Fails unless the compiler of this build lays out every record the client reads in place as
# clang's Microsoft target does: each record's size and alignment, and each field's offset.
# clang dumps its layouts; from them comes a file of static assertions that CXX must compile.
#   cmake -DCLANG=<clang++> -DTRIPLE=<i686|x86_64>-pc-windows-msvc -DCXX=<compiler of the build>
#         -DSOURCE_DIR=<project> -DOUT=<file.cpp> -P CheckRecordLayouts.cmake
set(probe ${SOURCE_DIR}/tests/abi/RecordProbe.cpp)
execute_process(COMMAND ${CLANG} --target=${TRIPLE} -std=c++17 -ffreestanding -nostdinc++
                        -isystem ${SOURCE_DIR}/cmake/msvc-std -I${SOURCE_DIR}/include -fsyntax-only
                        -Xclang -fdump-record-layouts ${probe}
                OUTPUT_VARIABLE dump ERROR_VARIABLE errors RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${CLANG} --target=${TRIPLE} failed on ${probe}:\n${errors}")
endif()

# One block a record: "0 | struct <name>", its fields one level in ("<offset> |   <type> <name>",
# deeper levels have more spaces), "[sizeof=<n>, align=<n>". Private members (classes) and the
# unions inside them are the records' own business: their sizes count, their fields not.
string(REPLACE "*** Dumping AST Record Layout" ";" blocks "${dump}")
set(asserts "")
set(records 0)
set(fields 0)
foreach(block ${blocks})
  if(NOT block MATCHES "\n *0 \\| (struct|class|union) ([^\n]+)\n")
    continue()
  endif()
  set(kind ${CMAKE_MATCH_1})
  set(name ${CMAKE_MATCH_2})
  if(kind STREQUAL "union" OR NOT block MATCHES "\\[sizeof=([0-9]+), align=([0-9]+)")
    continue()
  endif()
  set(size ${CMAKE_MATCH_1})
  set(align ${CMAKE_MATCH_2})
  string(APPEND asserts "static_assert(sizeof(${name}) == ${size}, \"${name}: ${size} bytes\");\n"
                        "static_assert(alignof(${name}) == ${align}, \"${name}: aligned to ${align}\");\n")
  math(EXPR records "${records} + 1")
  if(kind STREQUAL "struct" AND NOT name MATCHES "^std::")
    string(REGEX MATCHALL "\n *[0-9]+ \\|   [^ \n][^\n]*" lines "${block}")
    foreach(line ${lines})
      if(line MATCHES "([0-9]+) \\|   .* ([A-Za-z_][A-Za-z0-9_]*)$")
        string(APPEND asserts "static_assert(offsetof(${name}, ${CMAKE_MATCH_2}) == ${CMAKE_MATCH_1}, "
                              "\"${name}::${CMAKE_MATCH_2} at ${CMAKE_MATCH_1}\");\n")
        math(EXPR fields "${fields} + 1")
      endif()
    endforeach()
  endif()
endforeach()
if(records LESS 20)
  message(FATAL_ERROR "only ${records} records in the layout dump of ${TRIPLE}")
endif()

file(WRITE ${OUT} "// Layouts of clang --target=${TRIPLE}, made by CheckRecordLayouts.cmake.\n"
                  "#include <cstddef>\n#include \"I3DRoleBaseData.h\"\n${asserts}")
execute_process(COMMAND ${CXX} -std=c++17 -fsyntax-only -I${SOURCE_DIR}/include ${OUT}
                ERROR_VARIABLE errors RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${CXX} lays out records unlike ${TRIPLE}:\n${errors}")
endif()
message(STATUS "${records} records, ${fields} fields laid out as ${TRIPLE} does")
