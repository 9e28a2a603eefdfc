# Checks the medians (of CPU time) in a tarvel-bench JSON report against the speed targets:
#   typical/pairNN_...  every typical calculate command at most 1.5 times its floor pb_floor/pairNN_...
#                       (the same command's Pb calls timed alone), and under 5 µs
#   typical/Pb_...      a single saturation pressure under 5 µs
#   worst/...           every search that cannot meet its tolerance under 10 µs
#   pb_floor/...        no target of its own: the measure of the typical command of the same name
#   pb_chain/...        the same calls each waiting for the one before: the command's ratio to it is
#                       listed, with no target
#   elementary/Pb_.../ours  the saturation pressure with the correctly rounded functions at most
#                       twice elementary/Pb_.../libm, the same with the C library's
#   elementary/...      other timings of the elementary functions, listed only
# Usage: cmake -DRESULTS=<report.json> -P bench/check_targets.cmake
# Prints one line per benchmark and fails (exit code 1) when a median misses its target, when a
# benchmark reported an error, when a typical command has no floor, or when the report holds no
# median at all.
cmake_minimum_required(VERSION 3.25)

if(NOT RESULTS OR NOT EXISTS "${RESULTS}")
  message(FATAL_ERROR "check_targets: pass -DRESULTS=<tarvel-bench JSON report>")
endif()
file(READ "${RESULTS}" report)
string(JSON count LENGTH "${report}" benchmarks)

set(typical_limit_ns 5000)
set(worst_limit_ns 10000)
# The ratio of a typical command to its floor, in hundredths.
set(ratio_limit_percent 150)

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

function(tenths_text tenths out)
  math(EXPR whole "${tenths} / 10")
  math(EXPR tenth "${tenths} % 10")
  set(${out} "${whole}.${tenth}" PARENT_SCOPE)
endfunction()

set(checked 0)
set(failures "")
set(typical_commands "")
set(elementary_pbs "")
set(lines "")
if(count GREATER 0)
  math(EXPR last "${count} - 1")
  foreach(i RANGE ${last})
    string(JSON entry GET "${report}" benchmarks ${i})
    string(JSON name GET "${entry}" name)
    string(JSON error ERROR_VARIABLE no_error GET "${entry}" error_occurred)
    if(error STREQUAL "ON" OR error STREQUAL "true")
      string(JSON text ERROR_VARIABLE no_text GET "${entry}" error_message)
      list(APPEND failures "${name}: error: ${text}")
      continue()
    endif()
    string(JSON run_type GET "${entry}" run_type)
    string(JSON aggregate ERROR_VARIABLE no_aggregate GET "${entry}" aggregate_name)
    if(NOT run_type STREQUAL "aggregate" OR NOT aggregate STREQUAL "median")
      continue()
    endif()

    string(JSON run_name GET "${entry}" run_name)
    # The CPU time of the benchmark's thread: on a machine shared with other work the wall-clock
    # time also counts the moments the thread waited for a core, and those fall unevenly.
    string(JSON real_time GET "${entry}" cpu_time)
    string(JSON unit GET "${entry}" time_unit)
    if(NOT unit STREQUAL "ns")
      list(APPEND failures "${run_name}: reported in ${unit}, expected ns")
      continue()
    endif()
    to_tenths("${real_time}" tenths)
    set("median_${run_name}" ${tenths})
    if(run_name MATCHES "^pb_(floor|chain)/")
      continue()
    elseif(run_name MATCHES "^elementary/")
      if(run_name MATCHES "^elementary/Pb_.*/ours$")
        list(APPEND elementary_pbs "${run_name}")
      endif()
      continue()
    elseif(run_name MATCHES "^typical/pair")
      list(APPEND typical_commands "${run_name}")
      set(limit ${typical_limit_ns})
    elseif(run_name MATCHES "^typical/")
      set(limit ${typical_limit_ns})
    elseif(run_name MATCHES "^worst/")
      set(limit ${worst_limit_ns})
    else()
      list(APPEND failures "${run_name}: name starts with neither typical/, worst/ nor pb_floor/")
      continue()
    endif()

    math(EXPR checked "${checked} + 1")
    tenths_text(${tenths} shown)
    math(EXPR limit_tenths "${limit} * 10")
    if(tenths LESS limit_tenths)
      set(verdict "ok")
    else()
      set(verdict "TOO SLOW")
      list(APPEND failures "${run_name}: median ${shown} ns, target < ${limit} ns")
    endif()
    list(APPEND lines "  ${verdict}  ${run_name}  median ${shown} ns  (target < ${limit} ns)")
  endforeach()
endif()

# Repetitions run in random order, so the report's order is random too: list by name.
list(SORT lines)
foreach(line IN LISTS lines)
  message(NOTICE "${line}")
endforeach()

# Checks the median of run_name against limit_percent hundredths of the median of reference_name
# (named `what` in the listing), exactly in integers, and counts it. A limit of "none" lists the
# ratio only.
function(check_ratio run_name reference_name what limit_percent)
  if(NOT DEFINED "median_${reference_name}")
    list(APPEND failures "${run_name}: no median of ${reference_name}")
    set(failures "${failures}" PARENT_SCOPE)
    return()
  endif()
  set(value ${median_${run_name}})
  set(reference ${median_${reference_name}})
  if(reference LESS_EQUAL 0)
    list(APPEND failures "${run_name}: ${reference_name} has no time")
    set(failures "${failures}" PARENT_SCOPE)
    return()
  endif()
  math(EXPR percent "(${value} * 100 + ${reference} / 2) / ${reference}")
  math(EXPR ratio_whole "${percent} / 100")
  math(EXPR ratio_hundredths "${percent} % 100")
  if(ratio_hundredths LESS 10)
    set(ratio_hundredths "0${ratio_hundredths}")
  endif()
  tenths_text(${value} value_shown)
  tenths_text(${reference} reference_shown)
  if(limit_percent STREQUAL "none")
    message(NOTICE "  info  ${run_name}  ${value_shown} ns / ${what} ${reference_shown} ns"
                   " = ${ratio_whole}.${ratio_hundredths}")
    return()
  endif()
  math(EXPR limit_whole "${limit_percent} / 100")
  math(EXPR limit_hundredths "${limit_percent} % 100")
  if(limit_hundredths LESS 10)
    set(limit_hundredths "0${limit_hundredths}")
  endif()
  set(ratio "${ratio_whole}.${ratio_hundredths}")
  set(target "target <= ${limit_whole}.${limit_hundredths}")
  math(EXPR value_hundredfold "${value} * 100")
  math(EXPR reference_limit "${reference} * ${limit_percent}")
  if(value_hundredfold LESS_EQUAL reference_limit)
    set(verdict "ok")
  else()
    set(verdict "TOO SLOW")
    set(failure "${run_name}: ${ratio} times its ${what}")
    list(APPEND failures "${failure} (${value_shown} ns / ${reference_shown} ns), ${target}")
  endif()
  message(NOTICE "  ${verdict}  ${run_name}  ${value_shown} ns / ${what} ${reference_shown} ns"
                 " = ${ratio}  (${target})")
  math(EXPR checked "${checked} + 1")
  set(checked ${checked} PARENT_SCOPE)
  set(failures "${failures}" PARENT_SCOPE)
endfunction()

# Each typical command against the Pb calls it makes.
list(SORT typical_commands)
foreach(run_name IN LISTS typical_commands)
  string(REGEX REPLACE "^typical/" "pb_floor/" floor_name "${run_name}")
  check_ratio("${run_name}" "${floor_name}" "Pb floor" ${ratio_limit_percent})
  string(REGEX REPLACE "^typical/" "pb_chain/" chain_name "${run_name}")
  check_ratio("${run_name}" "${chain_name}" "chained Pb" none)
endforeach()

# Each branch of Pb with the correctly rounded functions against the same with the C library's.
foreach(run_name IN LISTS elementary_pbs)
  string(REGEX REPLACE "/ours$" "/libm" libm_name "${run_name}")
  check_ratio("${run_name}" "${libm_name}" "C library" 200)
endforeach()

if(checked EQUAL 0)
  list(APPEND failures "no medians in ${RESULTS}: run tarvel-bench with --benchmark_repetitions")
endif()
if(failures)
  foreach(failure IN LISTS failures)
    message(NOTICE "MISSED: ${failure}")
  endforeach()
  message(FATAL_ERROR "check_targets: speed targets missed")
endif()
message(NOTICE "check_targets: all ${checked} checks within their targets")
