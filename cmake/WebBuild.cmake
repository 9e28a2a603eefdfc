# The web edition: the same project compiled by emscripten (emcmake cmake -DTARVEL_BUILD_WEB=ON).
# Included before the core, so that every target of this build gets the same settings.
if(NOT EMSCRIPTEN)
  message(FATAL_ERROR "TARVEL_BUILD_WEB needs emscripten's toolchain: configure with emcmake cmake")
endif()

# A numeric fault is a C++ exception that the calculate command catches; emscripten's default
# would turn every throw into an abort.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)

# The header-only libraries the core and the replay session use are Debian's (the very versions
# the desktop build compiles), but emcc must not see /usr/include, whose C library headers are not
# emscripten's. So each one is copied into a private include directory of this build, and a small
# package configuration there gives find_package the same imported targets as Debian's.
set(TARVEL_HOST_PREFIX /usr CACHE PATH
    "Where the host's header-only libraries (nlohmann-json, fast_float, fmt) are installed")
set(tarvel_web_deps ${PROJECT_BINARY_DIR}/web-deps)

# tarvel_web_header_package(<package> <header directory> <imported target>...): copies the
# package's headers, if the host has them, and writes its configuration with its host version.
function(tarvel_web_header_package package header_dir)
  set(source ${TARVEL_HOST_PREFIX}/include/${header_dir})
  if(NOT IS_DIRECTORY ${source})
    return()
  endif()
  file(COPY ${source} DESTINATION ${tarvel_web_deps}/include)

  string(TOLOWER ${package} lower)
  file(GLOB version_files
       ${TARVEL_HOST_PREFIX}/share/cmake/${package}/${package}ConfigVersion.cmake
       ${TARVEL_HOST_PREFIX}/lib/cmake/${package}/${package}ConfigVersion.cmake
       ${TARVEL_HOST_PREFIX}/lib/*/cmake/${package}/${lower}-config-version.cmake)
  set(version 0)
  if(version_files)
    list(GET version_files 0 version_file)
    file(STRINGS ${version_file} line REGEX "^set\\(PACKAGE_VERSION \"[0-9.]+\"\\)")
    if(line MATCHES "\"([0-9.]+)\"")
      set(version ${CMAKE_MATCH_1})
    endif()
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                 ${version_file})
  endif()

  set(config "")
  foreach(target IN LISTS ARGN)
    string(APPEND config "if(NOT TARGET ${target})\n"
           "  add_library(${target} INTERFACE IMPORTED)\n"
           "  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES\n"
           "                        \"${tarvel_web_deps}/include\")\nendif()\n")
  endforeach()
  set(dir ${tarvel_web_deps}/cmake/${package})
  file(WRITE ${dir}/${package}Config.cmake "${config}")
  # A request for the same major version is met; the size of a pointer does not matter to a
  # header-only library.
  file(WRITE ${dir}/${package}ConfigVersion.cmake
       "set(PACKAGE_VERSION \"${version}\")\n"
       "string(REGEX MATCH \"^[0-9]+\" major \"\${PACKAGE_VERSION}\")\n"
       "if(PACKAGE_FIND_VERSION VERSION_GREATER PACKAGE_VERSION OR\n"
       "   (PACKAGE_FIND_VERSION_MAJOR AND NOT PACKAGE_FIND_VERSION_MAJOR STREQUAL major))\n"
       "  set(PACKAGE_VERSION_COMPATIBLE FALSE)\nelse()\n"
       "  set(PACKAGE_VERSION_COMPATIBLE TRUE)\nendif()\n")
  set(${package}_DIR ${dir} CACHE PATH "Private copy for the web build" FORCE)
endfunction()

tarvel_web_header_package(nlohmann_json nlohmann nlohmann_json::nlohmann_json)
tarvel_web_header_package(FastFloat fast_float FastFloat::fast_float)
tarvel_web_header_package(fmt fmt fmt::fmt-header-only)
# fmt's compiled library is not available here; its header-only form is the same code.
if(EXISTS ${tarvel_web_deps}/cmake/fmt/fmtConfig.cmake)
  file(APPEND ${tarvel_web_deps}/cmake/fmt/fmtConfig.cmake
       "set_property(TARGET fmt::fmt-header-only PROPERTY\n"
       "             INTERFACE_COMPILE_DEFINITIONS FMT_HEADER_ONLY=1)\n"
       "if(NOT TARGET fmt::fmt)\n  add_library(fmt::fmt INTERFACE IMPORTED)\n"
       "  set_property(TARGET fmt::fmt PROPERTY INTERFACE_LINK_LIBRARIES fmt::fmt-header-only)\n"
       "endif()\n")
endif()

set(TARVEL_WEB_OUTPUT_DIR ${PROJECT_SOURCE_DIR}/out/web CACHE PATH
    "Where the web page and the node replay are written")
