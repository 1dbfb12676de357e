# The one version number (project() in the top CMakeLists) reaches the
# tools' --version, the Windows version resources, the installers and the
# Debian package from here.
set(MIROVANE_COPYRIGHT "Copyright (C) 2026 the mirovane developers")
set(MIROVANE_PUBLISHER "Tolvarn")

configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${CMAKE_BINARY_DIR}/generated/mirovane_version.h @ONLY)
add_library(mirovane_version INTERFACE)
target_include_directories(mirovane_version INTERFACE ${CMAKE_BINARY_DIR}/generated)

# mirovane_version_resource(TARGET FILE_NAME DESCRIPTION): a VERSIONINFO
# resource, so that Explorer's Properties > Details shows who made the file.
function(mirovane_version_resource target file_name description)
  if(NOT WIN32)
    return()
  endif()
  set(VI_FILE_NAME ${file_name})
  set(VI_DESCRIPTION ${description})
  get_filename_component(VI_INTERNAL_NAME ${file_name} NAME_WE)
  set(rc ${CMAKE_BINARY_DIR}/generated/${target}_version.rc)
  configure_file(${CMAKE_SOURCE_DIR}/src/resources/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
