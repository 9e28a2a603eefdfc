# One request whose fields hold 2 * 10^7 characters each, far more than the WebAssembly core's
# first memory: the node replay must grow its memory and answer as the desktop replay does.
# Usage: cmake -DNATIVE=<tarvel-replay> -DNODE=<node> -DREPLAY=<replay.mjs> -DWORK=<dir>
#              -P replay_long_line.cmake
string(REPEAT "1" 20000000 digits)
set(input ${WORK}/long_line.jsonl)
file(WRITE ${input} "{\"fields\":[\"${digits}\",\"\",\"5${digits}\",\"\",\"\",\"\"],"
                    "\"pressure\":\"101.325\",\"command\":\"calculate\"}\n")
execute_process(COMMAND ${NATIVE} INPUT_FILE ${input} OUTPUT_VARIABLE native
                RESULT_VARIABLE native_status TIMEOUT 300)
execute_process(COMMAND ${NODE} ${REPLAY} INPUT_FILE ${input} OUTPUT_VARIABLE web
                RESULT_VARIABLE web_status TIMEOUT 300)
file(REMOVE ${input})
if(NOT native_status EQUAL 0 OR NOT web_status EQUAL 0)
  message(FATAL_ERROR "status ${native_status} (desktop) and ${web_status} (node)")
endif()
if(NOT native STREQUAL web OR native STREQUAL "")
  string(SUBSTRING "${native}" 0 300 native)
  string(SUBSTRING "${web}" 0 300 web)
  message(FATAL_ERROR "the answers differ:\n  desktop: ${native}\n  node:    ${web}")
endif()
