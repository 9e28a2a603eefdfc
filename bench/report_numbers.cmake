# What the speed checks (bench/check_targets.cmake, bench/check_row_targets.cmake) share: reading
# the report, and their integer arithmetic (CMake computes in integers only, so medians and ratios
# are counted in tenths and hundred-thousandths and shown with their decimals).

# Reads the tarvel-bench JSON report named by RESULTS into `report`, and the indexes of its
# benchmarks into `benchmark_indices`; stops, naming `script`, when there is no report.
macro(read_report script)
  if(NOT RESULTS OR NOT EXISTS "${RESULTS}")
    message(FATAL_ERROR "${script}: pass -DRESULTS=<tarvel-bench JSON report>")
  endif()
  file(READ "${RESULTS}" report)
  string(JSON count LENGTH "${report}" benchmarks)
  set(benchmark_indices "")
  if(count GREATER 0)
    math(EXPR last "${count} - 1")
    foreach(i RANGE ${last})
      list(APPEND benchmark_indices ${i})
    endforeach()
  endif()
endmacro()

# A median in nanoseconds as an integer count of tenths of a nanosecond (CMake's arithmetic is
# integer only).
function(to_tenths value out)
  if(value MATCHES "^([0-9]+)(\\.([0-9]))?")
    set(tenth "${CMAKE_MATCH_3}")
    if(tenth STREQUAL "")
      set(tenth 0)
    endif()
    math(EXPR tenths "${CMAKE_MATCH_1} * 10 + ${tenth}")
  else()
    set(tenths 0)
  endif()
  set(${out} ${tenths} PARENT_SCOPE)
endfunction()

# A count of hundredths as text with two decimals: 41 → "0.41".
function(hundredths_text hundredths out)
  math(EXPR whole "${hundredths} / 100")
  math(EXPR part "${hundredths} % 100")
  if(part LESS 10)
    set(part "0${part}")
  endif()
  set(${out} "${whole}.${part}" PARENT_SCOPE)
endfunction()

function(tenths_text tenths out)
  math(EXPR whole "${tenths} / 10")
  math(EXPR tenth "${tenths} % 10")
  set(${out} "${whole}.${tenth}" PARENT_SCOPE)
endfunction()

# A ratio such as 0.41237 as an integer count of hundred-thousandths (41237); empty when the text
# is no such number.
function(to_hundred_thousandths text out)
  set(value "")
  if(text MATCHES "^([0-9]+)\\.?([0-9]*)$")
    set(whole "${CMAKE_MATCH_1}")
    string(SUBSTRING "${CMAKE_MATCH_2}00000" 0 5 fraction)
    string(REGEX REPLACE "^0+([0-9])" "\\1" fraction "${fraction}")
    math(EXPR value "${whole} * 100000 + ${fraction}")
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()
