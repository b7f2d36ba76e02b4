# Fails unless a DLL is built for this build's machine and imports only from the system's DLLs
# and from its sibling libraries: no compiler runtime DLL (libstdc++, libgcc, winpthread) that
# the client's folder would not have. With SIBLING_NAMES (the <sibling>-exports.def files of
# cmake/SiblingImports.cmake), each function it imports from a sibling must be imported under
# the name the Microsoft compiler gives it, the name a sibling built by that compiler exports.
#   cmake -DLIBRARY=<dll> -DOBJDUMP=<objdump> -DPOINTER_SIZE=4|8 -DSIBLINGS=<a.dll,b.dll>
#         [-DSIBLING_NAMES=<a-exports.def,...>] -P ...
cmake_policy(SET CMP0057 NEW)  # if(IN_LIST)
set(SYSTEM_DLLS kernel32.dll user32.dll advapi32.dll msvcrt.dll ntdll.dll wininet.dll
    ws2_32.dll shell32.dll ole32.dll oleaut32.dll dbghelp.dll psapi.dll version.dll winmm.dll
    bcrypt.dll)

execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE DUMP RESULT_VARIABLE RC)
if(NOT RC EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p failed on ${LIBRARY}")
endif()

if(POINTER_SIZE EQUAL 4)
  set(FORMAT "pei-i386")
else()
  set(FORMAT "pei-x86-64")
endif()
if(NOT DUMP MATCHES "file format ${FORMAT}")
  string(REGEX MATCH "file format [^\n]*" FOUND "${DUMP}")
  message(FATAL_ERROR "${LIBRARY}: ${FOUND}, expected ${FORMAT}")
endif()

string(REPLACE "," ";" SIBLINGS "${SIBLINGS}")
set(ALLOWED ${SYSTEM_DLLS})
foreach(sibling ${SIBLINGS})
  string(TOLOWER "${sibling}" sibling)
  list(APPEND ALLOWED ${sibling})
endforeach()

string(REGEX MATCHALL "DLL Name: [^\n]+" IMPORTS "${DUMP}")
set(NAMES "")
set(UNEXPECTED "")
foreach(import ${IMPORTS})
  string(REGEX REPLACE "^DLL Name: " "" name "${import}")
  string(STRIP "${name}" name)
  list(APPEND NAMES ${name})
  string(TOLOWER "${name}" lower)
  if(NOT lower IN_LIST ALLOWED)
    list(APPEND UNEXPECTED ${name})
  endif()
endforeach()
if(UNEXPECTED)
  message(FATAL_ERROR "${LIBRARY} imports ${UNEXPECTED}; allowed: the system's DLLs and ${SIBLINGS}")
endif()

message(STATUS "${FORMAT}, imports: ${NAMES}")

if(NOT SIBLING_NAMES)
  return()
endif()
# "DLL Name: <dll>", a header line, then one line per import ending in its name, up to an
# empty line.
string(REPLACE "," ";" SIBLING_NAMES "${SIBLING_NAMES}")
set(WRONG "")
set(COUNT 0)
foreach(def ${SIBLING_NAMES})
  file(READ ${def} text)
  string(REGEX MATCH "LIBRARY ([^\n]+)" _ "${text}")
  set(dll ${CMAKE_MATCH_1})
  string(REGEX MATCHALL "\n    [^ \n]+ = " entries "${text}")
  set(microsoft "")
  foreach(entry ${entries})
    string(REGEX REPLACE "^\n    | = $" "" name "${entry}")
    list(APPEND microsoft "${name}")
  endforeach()
  if(NOT DUMP MATCHES "DLL Name: ${dll}\n[^\n]*\n(([^\n]+\n)*)")
    continue()
  endif()
  string(REGEX MATCHALL "[^\n]+" lines "${CMAKE_MATCH_1}")
  foreach(line ${lines})
    string(REGEX REPLACE "^.*[ \t]" "" name "${line}")
    math(EXPR COUNT "${COUNT} + 1")
    if(NOT name IN_LIST microsoft)
      list(APPEND WRONG "${dll}: ${name}")
    endif()
  endforeach()
endforeach()
if(WRONG)
  message(FATAL_ERROR "${LIBRARY} imports names a Microsoft-built sibling does not export: ${WRONG}")
endif()
message(STATUS "${COUNT} functions of the siblings imported under their Microsoft names")
