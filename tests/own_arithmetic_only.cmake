# Checks that the calculation's arithmetic is the core's own, so that its results are the same
# bits on every machine:
#   - neither the core's libraries nor any program imports an exp, log or pow of the C library, in any
#     of its variants (float and long double forms, exp2/exp10/expm1/log2/log10/log1p, the
#     __*_finite entry points, versioned symbols);
#   - the core's object code holds no fused multiply-add instruction (x86 FMA3/FMA4, Arm).
# Usage: cmake -DNM=<nm> -DOBJDUMP=<objdump> "-DCORE=<libtarvel_physics.a;...>" "-DPROGRAMS=<a;b>"
#        -P this   (CORE: the static library of every layer of the core)
cmake_minimum_required(VERSION 3.25)

foreach(tool IN ITEMS NM OBJDUMP)
  if(NOT ${tool} OR NOT EXISTS "${${tool}}")
    message(FATAL_ERROR "own_arithmetic_only: ${tool} is not given or does not exist")
  endif()
endforeach()
if(NOT CORE)
  message(FATAL_ERROR "own_arithmetic_only: CORE is not given")
endif()
foreach(file IN LISTS CORE)
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "own_arithmetic_only: ${file} does not exist")
  endif()
endforeach()

set(failures "")

# Undefined symbols of each file; an archive lists them member by member.
foreach(file IN ITEMS ${CORE} ${PROGRAMS})
  execute_process(COMMAND ${NM} --undefined-only --format=posix ${file}
                  OUTPUT_VARIABLE symbols RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "own_arithmetic_only: ${NM} failed on ${file}: ${errors}")
  endif()
  string(REPLACE "\n" ";" lines "${symbols}")
  foreach(line IN LISTS lines)
    # posix format: "<name> U [value size]"; the name may carry a version (@GLIBC_2.29).
    if(line MATCHES "^([^ ]+) [Uuw]")
      string(REGEX REPLACE "@.*$" "" name "${CMAKE_MATCH_1}")
      if(name MATCHES "^_*(exp|exp2|exp10|expm1|log|log2|log10|log1p|pow)(f|l|f[0-9]+x?)?(_finite)?$")
        list(APPEND failures "${file} imports ${CMAKE_MATCH_0} from the C library")
      endif()
    endif()
  endforeach()
endforeach()

# The core's own code: the check must see it, or it would pass on an empty disassembly.
set(defined_everywhere "")
set(disassembly_everywhere "")
foreach(archive IN LISTS CORE)
  execute_process(COMMAND ${NM} --defined-only --format=posix ${archive}
                  OUTPUT_VARIABLE defined RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "own_arithmetic_only: ${NM} failed on ${archive}")
  endif()
  string(APPEND defined_everywhere "${defined}")
  execute_process(COMMAND ${OBJDUMP} -d --no-show-raw-insn ${archive}
                  OUTPUT_VARIABLE disassembly RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "own_arithmetic_only: ${OBJDUMP} failed on ${archive}: ${errors}")
  endif()
  string(APPEND disassembly_everywhere "${disassembly}")
  string(REGEX MATCHALL "[ \t](v?fn?m(add|sub)[a-z0-9]*|fml[as])[ \t][^\n]*" fused "${disassembly}")
  list(LENGTH fused fused_count)
  if(fused_count GREATER 0)
    list(GET fused 0 first)
    string(STRIP "${first}" first)
    list(APPEND failures
         "${archive} holds ${fused_count} fused multiply-add instructions, e.g. ${first}")
  endif()
endforeach()
if(NOT defined_everywhere MATCHES "_ZN6tarvel2PbEd T")
  message(FATAL_ERROR "own_arithmetic_only: no library of ${CORE} defines tarvel::Pb(double)")
endif()
if(NOT disassembly_everywhere MATCHES "[ \t](v?mulsd|fmul)[ \t]")
  message(FATAL_ERROR "own_arithmetic_only: no double multiplication found in the disassembly "
                      "of ${CORE}")
endif()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "The core's arithmetic is not its own:\n  ${text}")
endif()
list(LENGTH PROGRAMS program_count)
message(STATUS "own_arithmetic_only: the core and ${program_count} programs import no exp, log or "
               "pow, and the core holds no fused multiply-add")
