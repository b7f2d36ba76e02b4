# The names under which a sibling library's functions are linked when the library is built by
# the Microsoft compiler, as clang's Microsoft target gives them, paired with the names this
# build's compiler gives the same declarations; and a check that each function, and each
# virtual operation of the objects they hand out, is called the same way by both.
#   cmake -DNAME=<sibling> -DHEADER=<sibling header> -DBUILD_MACRO=<macro making it dllexport>
#         -DFUNCTIONS=<a|b|...> -DMETHODS=<I::a|I::b|...> -DCLANG=<clang++> -DCXX=<g++>
#         -DPOINTER_SIZE=4|8 -DSOURCE_DIR=<project> -DOUT_DIR=<folder> -P MicrosoftNames.cmake
# Writes, in OUT_DIR:
#   <NAME>-exports.def  the Microsoft names as further exports of the sibling itself;
#   <NAME>-imports.def  for an import library: this compiler's names, imported under the
#                       Microsoft ones (dlltool's "name == import name").
string(REPLACE "|" ";" FUNCTIONS "${FUNCTIONS}")
string(REPLACE "|" ";" METHODS "${METHODS}")
if(POINTER_SIZE EQUAL 4)
  set(machine i686)
  set(word long)
else()
  set(machine x86_64)
  set(word quad)
endif()
set(msvc --target=${machine}-pc-windows-msvc -ffreestanding -nostdinc++
    -isystem ${SOURCE_DIR}/cmake/msvc-std)

# The probe: each function's address in a constant of its own (declarations taken as
# dllexport: their addresses are plain constants); each function and operation called once.
set(probe "#define ${BUILD_MACRO}\n#include \"${HEADER}\"\n"
          "template <class T> T&& KestrinArg();\n"
          "template <class> struct KestrinCall;\n"
          "template <class R, class... A> struct KestrinCall<R (*)(A...)> {\n"
          "  template <R (*pf)(A...)> static R Call() { return pf(KestrinArg<A>()...); }\n};\n"
          "template <class R, class C, class... A> struct KestrinCall<R (C::*)(A...)> {\n"
          "  template <R (C::*pm)(A...)> static R Call(C* p) { return (p->*pm)(KestrinArg<A>()...); }\n};\n"
          "extern \"C\" {\n")
set(n 0)
foreach(function ${FUNCTIONS})
  string(APPEND probe "extern const void* const KESTRIN_NAME_${n} = reinterpret_cast<const void*>(&${function});\n"
                      "void KESTRIN_CALL_F${n}() { KestrinCall<decltype(&${function})>::Call<&${function}>(); }\n")
  math(EXPR n "${n} + 1")
endforeach()
set(m 0)
foreach(method ${METHODS})
  string(REGEX REPLACE "::[^:]+$" "" class "${method}")
  string(APPEND probe "void KESTRIN_CALL_M${m}(${class}* p) { KestrinCall<decltype(&${method})>::Call<&${method}>(p); }\n")
  math(EXPR m "${m} + 1")
endforeach()
string(APPEND probe "}\n")
get_filename_component(header_dir ${HEADER} DIRECTORY)
set(source ${OUT_DIR}/${NAME}-probe.cpp)
file(WRITE ${source} "${probe}")

function(compile out)
  execute_process(COMMAND ${ARGN} -std=c++17 -I${header_dir} -S -o - ${source}
                  OUTPUT_VARIABLE text ERROR_VARIABLE errors RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed on ${source}:\n${errors}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Names: the Microsoft ones from clang's IR, this compiler's from its assembly.
compile(ir ${CLANG} ${msvc} -emit-llvm)
compile(assembly ${CXX})
set(exports "LIBRARY ${NAME}.dll\nEXPORTS\n")
set(imports "LIBRARY ${NAME}.dll\nEXPORTS\n")
math(EXPR last "${n} - 1")
foreach(i RANGE ${last})
  list(GET FUNCTIONS ${i} function)
  if(NOT ir MATCHES "@KESTRIN_NAME_${i} = [^@\n]*@(\"[^\"]+\"|[^ ]+) to ")
    message(FATAL_ERROR "${NAME}: no Microsoft name for ${function}")
  endif()
  set(microsoft "${CMAKE_MATCH_1}")
  string(REPLACE "\"" "" microsoft "${microsoft}")
  if(NOT assembly MATCHES "KESTRIN_NAME_${i}:[ \t]*\n[ \t]*\\.${word}[ \t]+([^ \t\n]+)")
    message(FATAL_ERROR "${NAME}: no name for ${function} in ${CXX}'s assembly")
  endif()
  set(gnu "${CMAKE_MATCH_1}")
  if(POINTER_SIZE EQUAL 4)
    string(SUBSTRING "${gnu}" 1 -1 gnu)  # the C-level name; the linker adds the "_"
  endif()
  string(APPEND exports "    ${microsoft} = ${gnu}\n")
  string(APPEND imports "    ${gnu} == ${microsoft}\n")
endforeach()
file(WRITE ${OUT_DIR}/${NAME}-exports.def "${exports}")
file(WRITE ${OUT_DIR}/${NAME}-imports.def "${imports}")

# Calling conventions, on 32-bit x86 where there is more than one: the last call in each
# KESTRIN_CALL_* as the Microsoft target lowers it and as the GNU target for Windows does
# (clang's, which follows this compiler's ABI): convention, result, argument types and their
# attributes (hidden result pointer, registers, copies on the stack), registers numbers and
# callee aside.
if(NOT POINTER_SIZE EQUAL 4)
  return()
endif()
compile(ir_gnu ${CLANG} --target=i686-w64-mingw32 -ffreestanding -nostdinc++
        -isystem ${SOURCE_DIR}/cmake/msvc-std -emit-llvm -O1)
compile(ir_msvc ${CLANG} ${msvc} -emit-llvm -O1)
function(last_call ir symbol out)
  if(NOT ir MATCHES "define [^\n]*@${symbol}\\(([^\n]*\n)*}")
    message(FATAL_ERROR "${NAME}: ${symbol} missing from the IR")
  endif()
  string(REGEX MATCH "define [^\n]*@${symbol}\\([^}]*}" body "${ir}")
  string(REGEX MATCHALL "call [^\n]+" calls "${body}")
  list(GET calls -1 call)
  # "call <cc> <attrs> <result> <callee>(<args>)"; the callee is a register, a name or a cast.
  string(REGEX REPLACE " #[0-9]+$" "" call "${call}")
  string(REGEX REPLACE "\\(([^()]|\\([0-9]+\\))*\\)$" "" head "${call}")
  string(LENGTH "${head}" at)
  string(SUBSTRING "${call}" ${at} -1 args)
  string(REGEX REPLACE "%[0-9]+" "%" args "${args}")
  string(REGEX REPLACE " bitcast \\(.*" "" kind "${head}")
  if(kind STREQUAL head)
    string(REGEX REPLACE " [^ ]+$" "" kind "${head}")
  endif()
  set(${out} "${kind}${args}" PARENT_SCOPE)
endfunction()
set(differ "")
set(calls "")
foreach(i RANGE ${last})
  list(APPEND calls "F${i}")
endforeach()
if(m GREATER 0)
  math(EXPR last_method "${m} - 1")
  foreach(i RANGE ${last_method})
    list(APPEND calls "M${i}")
  endforeach()
endif()
set(all ${FUNCTIONS} ${METHODS})
set(k 0)
foreach(call ${calls})
  list(GET all ${k} what)
  math(EXPR k "${k} + 1")
  last_call("${ir_msvc}" KESTRIN_CALL_${call} microsoft)
  last_call("${ir_gnu}" KESTRIN_CALL_${call} gnu)
  if(NOT microsoft STREQUAL gnu)
    string(APPEND differ "\n  ${what}: Microsoft ${microsoft}\n  ${what}: GNU       ${gnu}")
  endif()
endforeach()
if(differ)
  message(FATAL_ERROR "${NAME}: calls that the two ABIs make differently:${differ}")
endif()
