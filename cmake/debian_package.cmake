# Install rules and the Debian package of the native tree:
# `cpack -G DEB` there gives mirovane_<version>-1_<arch>.deb (scripts/dist).
if(TARGET mirovane-render)
  install(TARGETS mirovane-render RUNTIME DESTINATION bin)
endif()

# Manual pages made by help2man from each program's own --help and
# --version, with the sections those lack from packaging/man.
find_program(HELP2MAN help2man)
set(man_pages)
function(mirovane_man_page target section)
  set(page ${CMAKE_BINARY_DIR}/man/${target}.${section})
  set(include ${CMAKE_SOURCE_DIR}/packaging/man/${target}.h2m)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${HELP2MAN} --no-info --section=${section} --include=${include}
      --output=${page} $<TARGET_FILE:${target}>
    COMMAND gzip -9nf ${page}
    DEPENDS ${target} ${include}
    VERBATIM)
  string(REGEX REPLACE "[a-z]+$" "" dir ${section})
  install(FILES ${page}.gz DESTINATION share/man/man${dir})
  set(man_pages ${man_pages} ${page}.gz PARENT_SCOPE)
endfunction()
if(HELP2MAN AND TARGET mirovane AND TARGET mirovane-render)
  mirovane_man_page(mirovane 6x)
  mirovane_man_page(mirovane-render 1)
  add_custom_target(man_pages ALL DEPENDS ${man_pages})
else()
  message(STATUS "help2man or a program missing: no manual pages, no Debian package")
  return()
endif()

configure_file(${CMAKE_SOURCE_DIR}/packaging/debian/changelog.in ${CMAKE_BINARY_DIR}/debian/changelog.Debian @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/debian/changelog.Debian.gz
  COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/debian/changelog.Debian
  DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog.Debian)
add_custom_target(debian_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog.Debian.gz)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/debian/copyright ${CMAKE_SOURCE_DIR}/packaging/debian/README.Debian
  ${CMAKE_BINARY_DIR}/debian/changelog.Debian.gz
  DESTINATION share/doc/mirovane)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mirovane)
set(CPACK_PACKAGE_VENDOR "${MIROVANE_PUBLISHER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "mirovane developers <mirovane@tolvarn.invalid>")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xscreensaver, libxinerama1")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fractal slide-show screen saver for XScreenSaver")
set(CPACK_PACKAGE_DESCRIPTION "An endless slide show of 101 built-in fractals (Mandelbrot, Julia, Dragon,
Phoenix and Newton families) in sixteen colour schemes, drawn pixel by pixel
in random order and blanked with one of three methods.
.
This package holds the XScreenSaver display mode, its settings description,
and mirovane-render, which writes the same pictures as BMP or PNG files.")
include(CPack)
