# Generates a data set of SCALE into WORK and loads it with "kestrin check": fails unless every
# table file is present and the load wrote no diagnostic.
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${GENERATOR} ${WORK} ${SCALE} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "generate_dataset failed: ${status}")
endif()
execute_process(COMMAND ${KESTRIN} check ${WORK} OUTPUT_VARIABLE report RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the generated data set does not load cleanly:\n${report}")
endif()
