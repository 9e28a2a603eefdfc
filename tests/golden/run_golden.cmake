# Runs the replay tool on INPUT and compares its answers with EXPECTED, showing a diff on mismatch.
# Usage: cmake -DREPLAY=<tarvel-replay> -DINPUT=<cases.jsonl> -DEXPECTED=<cases.expected>
#              -P run_golden.cmake
execute_process(
  COMMAND ${REPLAY}
  INPUT_FILE ${INPUT}
  OUTPUT_VARIABLE actual
  RESULT_VARIABLE status
  TIMEOUT 120)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "tarvel-replay exited with ${status}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  get_filename_component(name ${INPUT} NAME_WE)
  set(actual_file ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual)
  file(WRITE ${actual_file} "${actual}")
  execute_process(COMMAND diff -u ${EXPECTED} ${actual_file})
  message(FATAL_ERROR "answers differ from ${EXPECTED} (actual answers in ${actual_file})")
endif()
