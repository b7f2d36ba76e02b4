# What a client team takes, as it takes any library. `cmake --install` puts under one prefix:
#   bin/      the kestrin tool; on Windows the module and its sibling DLLs too, beside it
#   lib/      on Linux the module and its sibling libraries; the import libraries (Kestrin.lib
#             for Microsoft linkers, MinGW's libKestrin.dll.a); the CMake package
#             (find_package(Kestrin) gives Kestrin::Kestrin) and, on Linux, pkgconfig/kestrin.pc
#   include/Kestrin/   the headers the client compiles against
# On Windows, `cpack` packs the set that ships beside the client into one ZIP: the DLLs,
# kestrin.exe, Kestrin.lib, the headers and a README (components Runtime, Tool, ImportLibrary,
# Headers, Readme).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(KESTRIN_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Kestrin)
get_property(KESTRIN_SIBLINGS GLOBAL PROPERTY KESTRIN_SIBLING_LIBRARIES)

target_include_directories(Kestrin INTERFACE
                           $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/Kestrin>)
# Installed on Linux, the module finds its siblings in its own folder, and the tool the module.
if(NOT WIN32)
  file(RELATIVE_PATH KESTRIN_BIN_TO_LIB /prefix/${CMAKE_INSTALL_BINDIR}
       /prefix/${CMAKE_INSTALL_LIBDIR})
  set_target_properties(Kestrin PROPERTIES INSTALL_RPATH "$ORIGIN")
  if(TARGET kestrin)
    set_target_properties(kestrin PROPERTIES INSTALL_RPATH "$ORIGIN/${KESTRIN_BIN_TO_LIB}")
  endif()
endif()

install(TARGETS Kestrin EXPORT KestrinTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development)
install(TARGETS ${KESTRIN_SIBLINGS}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development)
if(TARGET kestrin)
  install(TARGETS kestrin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Tool)
endif()
if(TARGET kestrin_import_lib)
  install(FILES ${CMAKE_BINARY_DIR}/bin/Kestrin.lib DESTINATION ${CMAKE_INSTALL_LIBDIR}
          COMPONENT ImportLibrary)
endif()
# SafeVector stays the module's own: the client reads records, not the role trace table.
file(GLOB KESTRIN_PUBLIC_HEADERS ${PROJECT_SOURCE_DIR}/include/*.h)
install(FILES ${KESTRIN_PUBLIC_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/Kestrin
        COMPONENT Headers)

install(EXPORT KestrinTargets NAMESPACE Kestrin:: DESTINATION ${KESTRIN_CMAKE_DIR}
        COMPONENT Development)
configure_package_config_file(${PROJECT_SOURCE_DIR}/packaging/KestrinConfig.cmake.in
                              ${CMAKE_BINARY_DIR}/packaging/KestrinConfig.cmake
                              INSTALL_DESTINATION ${KESTRIN_CMAKE_DIR})
# A package of the other pointer size is passed over by find_package.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/packaging/KestrinConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/packaging/KestrinConfig.cmake
              ${CMAKE_BINARY_DIR}/packaging/KestrinConfigVersion.cmake
        DESTINATION ${KESTRIN_CMAKE_DIR} COMPONENT Development)

if(NOT WIN32)
  # Paths relative to the file's own folder: the prefix can be moved.
  file(RELATIVE_PATH KESTRIN_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
  string(REGEX REPLACE "/$" "" KESTRIN_PC_TO_PREFIX ${KESTRIN_PC_TO_PREFIX})
  configure_file(${PROJECT_SOURCE_DIR}/packaging/kestrin.pc.in
                 ${CMAKE_BINARY_DIR}/packaging/kestrin.pc @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/kestrin.pc
          DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT Development)
else()
  # The ZIP packs what the build made (the DLLs and the tool; the win32 build preset makes no
  # test program), not all.
  set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/README.txt DESTINATION . COMPONENT Readme)
  math(EXPR KESTRIN_BITS "${CMAKE_SIZEOF_VOID_P} * 8")
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME Kestrin)
  set(CPACK_PACKAGE_VENDOR Kestrin)
  set(CPACK_PACKAGE_FILE_NAME Kestrin-${PROJECT_VERSION}-win${KESTRIN_BITS})
  set(CPACK_COMPONENTS_ALL Runtime Tool ImportLibrary Headers Readme)
  set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  include(CPack)
endif()
