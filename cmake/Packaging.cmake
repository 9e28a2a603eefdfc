# Installation layout of the desktop program and its Debian package (scripts/package runs cpack).
# Only the program, tarvel-batch and tarvel-climate, the web page with its own menu entry, the desktop entries,
# AppStream metadata, icons, manual pages and the files Debian asks of every package are installed:
# the replay tool, tests and benchmarks are for developers. The Python module, where it is built,
# is a second package, python3-tarvel.
if(NOT TARGET tarvel)
  message(STATUS "Packaging: no window target (tarvel), so nothing to install or package")
  return()
endif()

include(GNUInstallDirs)
# Every install() without a component of its own goes into the package tarvel; python/ installs
# the module as the component python, the package python3-tarvel.
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME tarvel)

# Debian wants 0755 directories whatever the umask of whoever builds the package.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(tarvel_packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(tarvel_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/tarvel)
# The AppStream component id, a reverse domain name of the project's own domain (example.org, of
# its contact address). Software centres match the metadata to the desktop entry by this name.
set(tarvel_app_id org.example.tarvel)

# The newest release named in the AppStream metadata and in the Debian changelog must be this
# version, so that neither is forgotten when the version changes.
function(tarvel_check_release name pattern)
  set(path ${tarvel_packaging_dir}/${name})
  file(READ ${path} text)
  if(NOT text MATCHES "${pattern}" OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "packaging/${name}: the newest release is '${CMAKE_MATCH_1}', "
                        "not the project version ${PROJECT_VERSION}")
  endif()
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${path})
endfunction()
tarvel_check_release(${tarvel_app_id}.metainfo.xml "<release version=\"([^\"]*)\"")
tarvel_check_release(changelog "^tarvel \\(([^)]*)\\)")

install(TARGETS tarvel tarvel-batch tarvel-climate RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${tarvel_packaging_dir}/${tarvel_app_id}.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${tarvel_packaging_dir}/${tarvel_app_id}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
# The PNGs are rendered from the SVG: rsvg-convert -w N -h N tarvel.svg -o tarvel.png
install(DIRECTORY ${tarvel_packaging_dir}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons)
install(FILES ${tarvel_packaging_dir}/copyright DESTINATION ${tarvel_doc_dir})

# The web page, built beforehand by scripts/web into out/web: the calculator with the chart and the
# process panel, opened in the user's browser from its own menu entry ("Tarvel 焓湿图", which runs
# sensible-browser on it). Without the node replay, which is a tool for the tests.
set(TARVEL_WEB_PAGE_DIR ${PROJECT_SOURCE_DIR}/out/web CACHE PATH
    "The built web page that the package installs (scripts/web builds it)")
install(DIRECTORY ${TARVEL_WEB_PAGE_DIR}/ DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/tarvel/web
        PATTERN "replay.*" EXCLUDE)
install(FILES ${tarvel_packaging_dir}/${tarvel_app_id}.chart.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
# lintian takes an HTML file outside /usr/share/doc for documentation; this one is the program.
install(FILES ${tarvel_packaging_dir}/tarvel.lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME tarvel)

# Debian ships the changelog and manual pages compressed with gzip -9n (no name, no time stamp,
# so the package is reproducible).
find_program(TARVEL_GZIP gzip REQUIRED)
foreach(pair IN ITEMS "changelog|${tarvel_doc_dir}" "tarvel.1|${CMAKE_INSTALL_MANDIR}/man1"
                     "tarvel-batch.1|${CMAKE_INSTALL_MANDIR}/man1"
                     "tarvel-climate.1|${CMAKE_INSTALL_MANDIR}/man1")
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
if(TARGET _tarvel)
  install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz ${tarvel_packaging_dir}/copyright
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/python3-tarvel COMPONENT python)
endif()

# The window's Chinese captions need a CJK font, and its message-box button text comes from Qt's
# own translation; both are found at run time, so shlibdeps cannot see them. Any upright sans-serif
# CJK font that covers every caption and message will do, so apt is content with the one the user
# has: first Noto Sans CJK, which Debian's Chinese desktops install (and apt picks when none is
# there), then the much smaller WenQuanYi Micro Hei, which scripts/install-deps installs for the
# tests, then WenQuanYi Zen Hei. The window asks for no font of its own: fontconfig finds one.
# scripts/check-package checks that each installed one covers every text of the window.
set(TARVEL_CJK_FONT_DEPENDS "fonts-noto-cjk | fonts-wqy-microhei | fonts-wqy-zenhei")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tarvel developers")
set(CPACK_PACKAGE_CONTACT "Tarvel developers <tarvel@example.org>")
# Each package's description starts with its own synopsis, so there is no common one to prepend.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/cpack)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "${TARVEL_CJK_FONT_DEPENDS}, qt6-translations-l10n, sensible-utils")
# The web page's menu entry opens it in the browser that sensible-browser finds.
set(CPACK_DEBIAN_TARVEL_PACKAGE_RECOMMENDS "firefox-esr | chromium | x-www-browser")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL tarvel)
set(CPACK_DEBIAN_TARVEL_PACKAGE_NAME tarvel)
# The first line of the package description is its synopsis.
set(CPACK_DEBIAN_TARVEL_DESCRIPTION [=[moist-air (psychrometric) state calculator
Tarvel shows one window with seven fields: the local atmospheric pressure
and six parameters of moist air - dry-bulb and wet-bulb temperature,
relative humidity, dew-point temperature, moisture content and enthalpy.
Type the pressure and any two of the parameters, press the calculate
button, and Tarvel derives the other four, each rounded to two decimals.
An input it cannot compute is answered with a message instead of a number.

tarvel-batch answers every row of a CSV table of air states the same way,
on all processor cores, for data logger exports and design tables.

tarvel-climate reads an hourly weather file (EPW or CSV) and calculates
every hour the same way, giving the outdoor design conditions of the
Chinese code GB 50736, the annual percentiles, the outdoor design states
and the hours of the comfort zones (GB 50736, GB 50174, PMV).

The second menu entry, Tarvel 焓湿图, opens the same calculator as a web page
in the browser, with the psychrometric chart and a panel for designs of air
conditioning (mixing, coils, heating, humidifiers, the supply state).

The window and its messages are in Chinese.]=])

# python3-tarvel: the module, built for the python3 it was configured with (its file name carries
# that version's ABI), with NumPy; pandas and Dask only where calculate_frame is used.
if(TARGET _tarvel)
  list(APPEND CPACK_COMPONENTS_ALL python)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-tarvel)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
  string(REPLACE "." ";" version "${TARVEL_PYTHON_VERSION}")
  list(GET version 0 major)
  list(GET version 1 minor)
  math(EXPR next "${minor} + 1")
  # The module walks arrays with NumPy's C interface, so it needs the NumPy ABI it was built
  # against, as dh_numpy3 writes the dependency from NumPy's own record of its versions.
  set(numpy_depends python3-numpy)
  if(EXISTS /usr/share/numpy3/versions)
    file(STRINGS /usr/share/numpy3/versions numpy_versions REGEX "^(abi|api-min-version) ")
    foreach(line IN LISTS numpy_versions)
      if(line MATCHES "^abi ([0-9]+)")
        set(numpy_abi ${CMAKE_MATCH_1})
      elseif(line MATCHES "^api-min-version (.+)")
        set(numpy_api_min ${CMAKE_MATCH_1})
      endif()
    endforeach()
    set(numpy_depends "python3-numpy (>= ${numpy_api_min}), python3-numpy-abi${numpy_abi}")
  endif()
  set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
      "python3 (>= ${major}.${minor}~), python3 (<< ${major}.${next}), ${numpy_depends}")
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SUGGESTS "python3-pandas, python3-dask, python3-distributed")
  set(CPACK_DEBIAN_PYTHON_DESCRIPTION [=[moist-air (psychrometric) calculator for Python
The Python 3 module tarvel computes the state of moist air with the very
core of the Tarvel calculator: from the local atmospheric pressure and any
two of dry-bulb and wet-bulb temperature, relative humidity, dew point,
moisture content and enthalpy it derives the others, to the same digits as
the Tarvel window, on every machine.

tarvel.calculate takes numbers, texts or NumPy arrays and works on every
processor core; tarvel.calculate_frame answers a pandas DataFrame row by
row as tarvel-batch answers a CSV table, also on a Dask cluster.]=])
endif()

include(CPack)
