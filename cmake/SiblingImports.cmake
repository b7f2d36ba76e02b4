# A sibling library as a client built by the Microsoft compiler links it: the names that
# compiler gives its functions, derived by cmake/MicrosoftNames.cmake from the sibling's header
# with clang's Microsoft target (which also checks that both ABIs call each function and each
# listed virtual operation the same way).
#   kestrin_microsoft_names(<sibling target> HEADER <h> BUILD_MACRO <m> FUNCTIONS <qualified
#                           names> METHODS <Interface::Operation ...>)
# The sibling then exports those names as well as its own, and <sibling>Imports is an import
# library under which this build's code calls the sibling by those names: what the module links,
# so that it loads beside siblings built by either compiler.
find_program(KESTRIN_MSABI_CLANG NAMES clang++ clang++-14)
find_program(KESTRIN_DLLTOOL NAMES ${KESTRIN_MINGW_TRIPLE}-dlltool llvm-dlltool)
function(kestrin_microsoft_names target)
  cmake_parse_arguments(ARG "" "HEADER;BUILD_MACRO" "FUNCTIONS;METHODS" ${ARGN})
  add_library(${target}Imports INTERFACE)
  target_include_directories(${target}Imports INTERFACE $<TARGET_PROPERTY:${target},INTERFACE_INCLUDE_DIRECTORIES>)
  if(NOT WIN32)
    target_link_libraries(${target}Imports INTERFACE ${target})
    return()
  endif()
  if(NOT KESTRIN_MSABI_CLANG OR NOT KESTRIN_DLLTOOL)
    message(FATAL_ERROR "the Windows build needs clang (packages clang, lld) and dlltool for the "
                        "sibling libraries' Microsoft names")
  endif()
  set(dir ${CMAKE_CURRENT_BINARY_DIR})
  string(JOIN "|" functions ${ARG_FUNCTIONS})
  string(JOIN "|" methods ${ARG_METHODS})
  add_custom_command(
    OUTPUT ${dir}/${target}-exports.def ${dir}/${target}-imports.def
    COMMAND ${CMAKE_COMMAND} -DNAME=${target} -DHEADER=${ARG_HEADER} -DBUILD_MACRO=${ARG_BUILD_MACRO}
            "-DFUNCTIONS=${functions}" "-DMETHODS=${methods}" -DCLANG=${KESTRIN_MSABI_CLANG}
            -DCXX=${CMAKE_CXX_COMPILER} -DPOINTER_SIZE=${CMAKE_SIZEOF_VOID_P}
            -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DOUT_DIR=${dir}
            -P ${PROJECT_SOURCE_DIR}/cmake/MicrosoftNames.cmake
    DEPENDS ${ARG_HEADER} ${PROJECT_SOURCE_DIR}/cmake/MicrosoftNames.cmake
    COMMENT "Microsoft names of ${target}" VERBATIM)
  add_custom_command(
    OUTPUT ${dir}/lib${target}-microsoft.a
    COMMAND ${KESTRIN_DLLTOOL} -d ${dir}/${target}-imports.def -l ${dir}/lib${target}-microsoft.a
    DEPENDS ${dir}/${target}-imports.def VERBATIM)
  add_custom_target(${target}MicrosoftNames DEPENDS ${dir}/lib${target}-microsoft.a)
  target_sources(${target} PRIVATE ${dir}/${target}-exports.def)
  target_link_libraries(${target}Imports INTERFACE ${dir}/lib${target}-microsoft.a)
  add_dependencies(${target}Imports ${target}MicrosoftNames ${target})
endfunction()
