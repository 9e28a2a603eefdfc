# node replay.mjs with an argument must print its usage and exit with status 2, as tarvel-replay.
# Usage: cmake -DNODE=<node> -DREPLAY=<replay.mjs> -P replay_usage.cmake
execute_process(COMMAND ${NODE} ${REPLAY} extra-argument
  INPUT_FILE /dev/null OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status TIMEOUT 60)
if(NOT status EQUAL 2 OR NOT err MATCHES "^usage: " OR NOT out STREQUAL "")
  message(FATAL_ERROR "expected the usage and status 2, got status ${status}, "
                      "standard error '${err}', standard output '${out}'")
endif()
