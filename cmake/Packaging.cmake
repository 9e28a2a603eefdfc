# Installation layout of the desktop program and its Debian package (scripts/package runs cpack).
# Only the program, its desktop entry, icons, manual page and the files Debian asks of every
# package are installed: the replay tool, tests and benchmarks are for developers.
if(NOT TARGET tarvel)
  message(STATUS "Packaging: no window target (tarvel), so nothing to install or package")
  return()
endif()

include(GNUInstallDirs)

# Debian wants 0755 directories whatever the umask of whoever builds the package.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(tarvel_packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(tarvel_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/tarvel)

install(TARGETS tarvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${tarvel_packaging_dir}/tarvel.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
# The PNGs are rendered from the SVG: rsvg-convert -w N -h N tarvel.svg -o tarvel.png
install(DIRECTORY ${tarvel_packaging_dir}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons)
install(FILES ${tarvel_packaging_dir}/copyright DESTINATION ${tarvel_doc_dir})

# Debian ships the changelog and manual pages compressed with gzip -9n (no name, no time stamp,
# so the package is reproducible).
find_program(TARVEL_GZIP gzip REQUIRED)
foreach(pair IN ITEMS "changelog|${tarvel_doc_dir}" "tarvel.1|${CMAKE_INSTALL_MANDIR}/man1")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 name)
  list(GET pair 1 destination)
  set(source ${tarvel_packaging_dir}/${name})
  set(compressed ${PROJECT_BINARY_DIR}/packaging/${name}.gz)
  file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/packaging)
  execute_process(COMMAND ${TARVEL_GZIP} -9nc ${source} OUTPUT_FILE ${compressed}
                  COMMAND_ERROR_IS_FATAL ANY)
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  install(FILES ${compressed} DESTINATION ${destination})
endforeach()

# The window's Chinese captions need a CJK font, and its message-box button text comes from Qt's
# own translation; both are found at run time, so shlibdeps cannot see them. Keep the font package
# the same as the one scripts/install-deps installs for the window (scripts/check-package checks).
set(TARVEL_CJK_FONT_PACKAGE fonts-smiley-sans)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tarvel developers")
set(CPACK_PACKAGE_CONTACT "Tarvel developers <tarvel@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "moist-air (psychrometric) state calculator")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/cpack)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${TARVEL_CJK_FONT_PACKAGE}, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The first line of the package description is the summary above; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[Tarvel shows one window with seven fields: the local atmospheric pressure
and six parameters of moist air - dry-bulb and wet-bulb temperature,
relative humidity, dew-point temperature, moisture content and enthalpy.
Type the pressure and any two of the parameters, press the calculate
button, and Tarvel derives the other four, each rounded to two decimals.
An input it cannot compute is answered with a message instead of a number.

The window and its messages are in Chinese.]=])

include(CPack)
