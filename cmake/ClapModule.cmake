# Murkwisp.clap: the CLAP module. Its entry file (and on Windows the embedded
# font, cmake/Fonts.cmake) on top of the CLAP build of the plug-in and the
# layers below it (cmake/Layers.cmake, murkwisp_link_module). Exports exactly
# clap_entry and clap_factory: a .def file on Windows, a version script
# elsewhere. The Windows module carries its C and C++ runtimes statically (no
# MinGW DLLs).
set(MURKWISP_MODULES_DIR ${CMAKE_SOURCE_DIR}/plugin/modules)
add_library(murkwisp_clap MODULE ${MURKWISP_MODULES_DIR}/ClapEntry.cpp)
murkwisp_link_module(murkwisp_clap clap)
set_target_properties(murkwisp_clap PROPERTIES
  OUTPUT_NAME Murkwisp
  PREFIX ""
  SUFFIX ".clap"
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/clap
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/clap)
if(WIN32)
  target_sources(murkwisp_clap PRIVATE ${MURKWISP_MODULES_DIR}/ClapExports.def ${MURKWISP_MODULE_RC})
else()
  target_link_options(murkwisp_clap PRIVATE
    -Wl,--version-script=${MURKWISP_MODULES_DIR}/ClapExports.map -Wl,--no-undefined)
  set_property(TARGET murkwisp_clap APPEND PROPERTY LINK_DEPENDS ${MURKWISP_MODULES_DIR}/ClapExports.map)
endif()
