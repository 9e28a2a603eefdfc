# The web edition: the same project compiled by emscripten (emcmake cmake -DTARVEL_BUILD_WEB=ON).
# Included before the core, so that every target of this build gets the same settings.
include(CMakePackageConfigHelpers)
if(NOT EMSCRIPTEN)
  message(FATAL_ERROR "TARVEL_BUILD_WEB needs emscripten's toolchain: configure with emcmake cmake")
endif()

# A numeric fault is a C++ exception that the calculate command catches; emscripten's default
# would turn every throw into an abort. WebAssembly's own exception handling, not emscripten's
# emulation in JavaScript (-fexceptions), which calls every function that may throw through a
# JavaScript wrapper: a design of 20 points took 1.85 ms in chromium with it, 0.39 ms without, and
# the page's core is a sixth smaller. Every browser since 2022 has it (Chrome and Edge 95, Firefox
# 100, Safari 15.2), and node since 17.
add_compile_options(-fwasm-exceptions)
add_link_options(-fwasm-exceptions)

# binaryen's -Oz changed the last bits of musl's log and pow, so results depended on the flags; -O0
# to -O3 and -Os keep them. The core now has its own functions, but -Oz stays refused until it is
# shown to keep their bits too. scripts/web builds with -Os (MinSizeRel).
string(TOUPPER "${CMAKE_BUILD_TYPE}" build_type)
foreach(flags IN ITEMS CMAKE_CXX_FLAGS CMAKE_CXX_FLAGS_${build_type} CMAKE_EXE_LINKER_FLAGS
                       CMAKE_EXE_LINKER_FLAGS_${build_type})
  if("${${flags}}" MATCHES "-Oz")
    message(FATAL_ERROR "${flags} holds -Oz, which changes the web core's results")
  endif()
endforeach()

# emcc's JavaScript optimiser, run when linking, needs Debian's acorn module, which a node
# installed from elsewhere does not look for.
set(TARVEL_NODE_PATH /usr/share/nodejs CACHE PATH "Where node finds acorn for emcc")
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${TARVEL_NODE_PATH})
# node also runs the build's own tool form-html, the node replay and the tests.
find_program(TARVEL_NODE node REQUIRED NO_CMAKE_FIND_ROOT_PATH)

# The header-only libraries the core and the replay session use are Debian's (the very versions
# the desktop build compiles), but emcc must not see /usr/include, whose C library headers are not
# emscripten's. So they are copied into a private include directory of this build.
set(TARVEL_HOST_PREFIX /usr CACHE PATH
    "Where the host's header-only libraries (nlohmann-json, fast_float, fmt) are installed")
set(tarvel_web_include ${PROJECT_BINARY_DIR}/web-deps/include)
foreach(dir IN ITEMS nlohmann fast_float fmt)
  if(IS_DIRECTORY ${TARVEL_HOST_PREFIX}/include/${dir})
    file(COPY ${TARVEL_HOST_PREFIX}/include/${dir} DESTINATION ${tarvel_web_include})
  endif()
endforeach()

# The core finds fast_float and fmt by their headers alone.
set(TARVEL_FAST_FLOAT_INCLUDE_DIR ${tarvel_web_include} CACHE PATH "fast_float for the web" FORCE)
set(TARVEL_FMT_INCLUDE_DIR ${tarvel_web_include} CACHE PATH "fmt for the web" FORCE)

# The replay session asks find_package for nlohmann_json 3: a configuration of the copy, with the
# version its headers give.
set(version_text "")
file(GLOB version_headers ${tarvel_web_include}/nlohmann/json.hpp
     ${tarvel_web_include}/nlohmann/detail/abi_macros.hpp)
foreach(header IN LISTS version_headers)
  file(STRINGS ${header} lines REGEX "#define NLOHMANN_JSON_VERSION_(MAJOR|MINOR|PATCH) ")
  string(APPEND version_text "${lines};")
endforeach()
set(version "")
foreach(part IN ITEMS MAJOR MINOR PATCH)
  if(version_text MATCHES "NLOHMANN_JSON_VERSION_${part} +([0-9]+)")
    list(APPEND version ${CMAKE_MATCH_1})
  endif()
endforeach()
list(JOIN version "." version)
if(NOT version MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+$")
  message(FATAL_ERROR "nlohmann-json's headers are not in ${TARVEL_HOST_PREFIX}/include")
endif()
set(dir ${PROJECT_BINARY_DIR}/web-deps/cmake)
file(WRITE ${dir}/nlohmann_jsonConfig.cmake
     "if(NOT TARGET nlohmann_json::nlohmann_json)\n"
     "  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)\n"
     "  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES\n"
     "                        INTERFACE_INCLUDE_DIRECTORIES \"${tarvel_web_include}\")\n"
     "endif()\n")
write_basic_package_version_file(${dir}/nlohmann_jsonConfigVersion.cmake VERSION ${version}
                                 COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
set(nlohmann_json_DIR ${dir} CACHE PATH "nlohmann_json for the web" FORCE)

set(TARVEL_WEB_OUTPUT_DIR ${PROJECT_SOURCE_DIR}/out/web CACHE PATH
    "Where the web page and the node replay are written")
