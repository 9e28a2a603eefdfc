# Checks the medians (of CPU time) in a tarvel-bench JSON report against the speed targets:
#   typical/pairNN_...  every typical calculate command at most 0.5 times its reference
#                       reference/typical/pairNN_... (the same command with plain exact search
#                       verdicts): the median ratio of paired/typical/pairNN_..., which times the
#                       two in alternating turns (the medians' ratio is listed beside it, and is
#                       the target where no paired run is in the report), and under 5 µs;
#                       those with a dry bulb among their inputs (pairs 3 to 7) with at most 4
#                       exact Pb evaluations (the exact_pb counter)
#   typical/Pb_...      a single saturation pressure under 5 µs
#   worst/...           every search that cannot meet its tolerance under 10 µs; its ratio to
#                       reference/worst/... is listed
#   reference/...       no target of its own: the measure of the command of the same name
#   elementary/Pb_.../ours  the saturation pressure with the correctly rounded functions at most
#                       twice elementary/Pb_.../libm, the same with the C library's
#   elementary/...      other timings of the elementary functions, listed only
#   rows/...            realistic rows: bench/check_row_targets.cmake checks them
#   texts/...           number text of the realistic rows beside the fixed inputs', listed only
# Usage: cmake -DRESULTS=<report.json> -P bench/check_targets.cmake
# Prints one line per benchmark and fails (exit code 1) when a median misses its target, when a
# benchmark reported an error, when a command has no reference, or when the report holds no median
# at all.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/report_numbers.cmake)

read_report(check_targets)

set(typical_limit_ns 5000)
set(worst_limit_ns 10000)
# The ratio of a typical command to its reference, in hundredths, and the most exact Pb
# evaluations of a typical command with a dry bulb among its inputs.
set(ratio_limit_percent 50)
set(exact_pb_limit 4)

set(checked 0)
set(failures "")
set(typical_commands "")
set(worst_commands "")
set(elementary_pbs "")
set(lines "")
foreach(i IN LISTS benchmark_indices)
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
  if(run_name MATCHES "^reference/")
    continue()
  elseif(run_name MATCHES "^paired/(.*)$")
    # The median of the paired turns' ratio, in hundred-thousandths.
    set(command "${CMAKE_MATCH_1}")
    string(JSON ratio ERROR_VARIABLE no_ratio GET "${entry}" ratio)
    to_hundred_thousandths("${ratio}" value)
    if(value STREQUAL "")
      list(APPEND failures "${run_name}: no ratio counter (${ratio})")
    else()
      set("paired_${command}" ${value})
    endif()
    continue()
  elseif(run_name MATCHES "^rows/")
    continue()  # checked by bench/check_row_targets.cmake
  elseif(run_name MATCHES "^texts/")
    continue()  # listed by the report only
  elseif(run_name MATCHES "^elementary/")
    if(run_name MATCHES "^elementary/Pb_.*/ours$")
      list(APPEND elementary_pbs "${run_name}")
    endif()
    continue()
  elseif(run_name MATCHES "^typical/pair")
    list(APPEND typical_commands "${run_name}")
    set(limit ${typical_limit_ns})
    string(JSON exact_pb ERROR_VARIABLE no_count GET "${entry}" exact_pb)
    set("exact_pb_${run_name}" "${exact_pb}")
  elseif(run_name MATCHES "^typical/")
    set(limit ${typical_limit_ns})
  elseif(run_name MATCHES "^worst/")
    list(APPEND worst_commands "${run_name}")
    set(limit ${worst_limit_ns})
  else()
    list(APPEND failures "${run_name}: name starts with neither typical/, worst/ nor reference/")
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
  hundredths_text(${percent} ratio)
  tenths_text(${value} value_shown)
  tenths_text(${reference} reference_shown)
  if(limit_percent STREQUAL "none")
    message(NOTICE "  info  ${run_name}  ${value_shown} ns / ${what} ${reference_shown} ns"
                   " = ${ratio}")
    return()
  endif()
  hundredths_text(${limit_percent} limit_shown)
  set(target "target <= ${limit_shown}")
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

# Each typical command against the same command with exact verdicts, and its count of exact Pb
# evaluations; each worst case against its reference, listed.
list(SORT typical_commands)
foreach(run_name IN LISTS typical_commands)
  if(DEFINED "paired_${run_name}")
    # The target on the turns timed side by side; the medians' ratio is listed beside it.
    set(value ${paired_${run_name}})
    math(EXPR percent "(${value} + 500) / 1000")
    hundredths_text(${percent} shown)
    hundredths_text(${ratio_limit_percent} limit_shown)
    math(EXPR limit_value "${ratio_limit_percent} * 1000")
    set(line "${run_name}  ${shown} of the reference in paired turns")
    if(value LESS_EQUAL limit_value)
      message(NOTICE "  ok  ${line}  (target <= ${limit_shown})")
    else()
      message(NOTICE "  TOO SLOW  ${line}  (target <= ${limit_shown})")
      list(APPEND failures "${line}, target <= ${limit_shown}")
    endif()
    math(EXPR checked "${checked} + 1")
    check_ratio("${run_name}" "reference/${run_name}" "reference" none)
  else()
    check_ratio("${run_name}" "reference/${run_name}" "reference" ${ratio_limit_percent})
  endif()
  set(count "${exact_pb_${run_name}}")
  if(count STREQUAL "")
    list(APPEND failures "${run_name}: no exact_pb counter")
  elseif(run_name MATCHES "^typical/pair0[3-7]_")
    if(count GREATER exact_pb_limit)
      list(APPEND failures "${run_name}: ${count} exact Pb evaluations, target <= ${exact_pb_limit}")
      message(NOTICE "  TOO MANY  ${run_name}  ${count} exact Pb (target <= ${exact_pb_limit})")
    else()
      message(NOTICE "  ok  ${run_name}  ${count} exact Pb (target <= ${exact_pb_limit})")
    endif()
    math(EXPR checked "${checked} + 1")
  else()
    message(NOTICE "  info  ${run_name}  ${count} exact Pb")
  endif()
endforeach()
list(SORT worst_commands)
foreach(run_name IN LISTS worst_commands)
  check_ratio("${run_name}" "reference/${run_name}" "reference" none)
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
