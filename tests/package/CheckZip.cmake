# Packs the build BUILD with cpack into WORK and fails unless its one ZIP, NAME.zip, holds
# exactly the files EXPECTED.
cmake_policy(VERSION 3.20)
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CPACK} -G ZIP --config ${BUILD}/CPackConfig.cmake -B ${WORK}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT EXISTS ${WORK}/${NAME}.zip)
  message(FATAL_ERROR "cpack: ${status}, no ${NAME}.zip\n${out}\n${err}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${WORK}/${NAME}.zip OUTPUT_VARIABLE files)
string(REPLACE "\n" ";" files "${files}")
list(FILTER files EXCLUDE REGEX "(^|/)$")  # folders
list(SORT files)
list(FILTER EXPECTED EXCLUDE REGEX "^$")
list(SORT EXPECTED)
if(NOT files STREQUAL EXPECTED)
  string(REPLACE ";" "\n  " files "${files}")
  string(REPLACE ";" "\n  " EXPECTED "${EXPECTED}")
  message(FATAL_ERROR "${NAME}.zip holds\n  ${files}\nexpected\n  ${EXPECTED}")
endif()
