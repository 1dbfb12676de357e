# The Windows installer of this tree: `cmake --build . --target installer`
# runs Debian's makensis on packaging/windows/mirovane.nsi.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(MIROVANE_ARCH win64)
else()
  set(MIROVANE_ARCH win32)
endif()
set(MIROVANE_SETUP mirovane-${PROJECT_VERSION}-${MIROVANE_ARCH}-setup.exe)

# The README as Windows users read text: README.txt with CRLF line ends.
configure_file(${CMAKE_SOURCE_DIR}/README.md ${CMAKE_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)

find_program(MAKENSIS makensis)
if(NOT MAKENSIS)
  add_custom_target(installer
    COMMAND ${CMAKE_COMMAND} -E echo "installer: makensis not found (Debian package nsis)"
    COMMAND ${CMAKE_COMMAND} -E false)
  return()
endif()
set(nsi ${CMAKE_SOURCE_DIR}/packaging/windows/mirovane.nsi)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${MIROVANE_SETUP}
  COMMAND ${MAKENSIS} -V2 -NOCD
    -DVERSION=${PROJECT_VERSION} -DARCH=${MIROVANE_ARCH}
    "-DPUBLISHER=${MIROVANE_PUBLISHER}" "-DCOPYRIGHT=${MIROVANE_COPYRIGHT}"
    -DSCR=$<TARGET_FILE:mirovane_scr> -DREADME=${CMAKE_BINARY_DIR}/README.txt
    -DICON=${CMAKE_SOURCE_DIR}/src/resources/mirovane.ico
    -DOUTFILE=${CMAKE_BINARY_DIR}/${MIROVANE_SETUP} ${nsi}
  DEPENDS ${nsi} mirovane_scr ${CMAKE_BINARY_DIR}/README.txt
  VERBATIM)
add_custom_target(installer DEPENDS ${CMAKE_BINARY_DIR}/${MIROVANE_SETUP})
