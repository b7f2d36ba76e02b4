# Installs the build BUILD under WORK/prefix, builds the client project CLIENT against it with
# the generator GENERATOR and the compiler CXX, and runs both its programs and the installed
# tool on a copy of the data set DATA: each must load it and answer as the module does.
function(run)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${WORK}/data RESULT_VARIABLE status
                  OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN}: ${status}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK})
file(COPY ${DATA}/ DESTINATION ${WORK}/data PATTERN debug EXCLUDE)
set(prefix ${WORK}/prefix)
run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix})
foreach(file include/Kestrin/I3DRoleBaseData.h include/Kestrin/WorldRecords.h
        lib/libKestrin.so lib/libZorAppUtil.so lib/libZorSound.so lib/libUlmLogic.so
        lib/cmake/Kestrin/KestrinConfig.cmake lib/pkgconfig/kestrin.pc bin/kestrin)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "the install lacks ${file}")
  endif()
endforeach()

run(${CMAKE_COMMAND} -S ${CLIENT} -B ${WORK}/client -G ${GENERATOR}
    -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_PREFIX_PATH=${prefix})
run(${CMAKE_COMMAND} --build ${WORK}/client)
foreach(program client_by_package client_by_pkgconfig)
  run(${WORK}/client/${program})
  if(NOT out STREQUAL "Create 1, look 1201 at 0.80, camera scale 384\n")
    message(FATAL_ERROR "${program} answered: ${out}")
  endif()
endforeach()
run(${prefix}/bin/kestrin check ${WORK}/data)
