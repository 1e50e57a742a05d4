# Murkwisp.clap: the CLAP module. One entry file (and on Windows the embedded
# font, cmake/Fonts.cmake) on top of the whole CLAP flavour of the framework
# (linked whole, so nothing the plug-in reaches only through virtual calls
# is dropped). Exports exactly clap_entry and
# clap_factory: a .def file on Windows, a version script elsewhere. The
# Windows module carries its C and C++ runtimes statically (no MinGW DLLs).
set(MURKWISP_CLAP_DIR ${CMAKE_SOURCE_DIR}/core/clap)
add_library(murkwisp_clap MODULE ${MURKWISP_CLAP_DIR}/ClapEntry.cpp)
target_link_libraries(murkwisp_clap PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,murkwisp_fw_clap>")
murkwisp_warnings(murkwisp_clap)
set_target_properties(murkwisp_clap PROPERTIES
  OUTPUT_NAME Murkwisp
  PREFIX ""
  SUFFIX ".clap"
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/clap
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/clap)
if(WIN32)
  target_sources(murkwisp_clap PRIVATE ${MURKWISP_CLAP_DIR}/Murkwisp.def ${MURKWISP_MODULE_RC})
  target_link_options(murkwisp_clap PRIVATE -static-libgcc -static-libstdc++ -static)
else()
  target_link_options(murkwisp_clap PRIVATE
    -Wl,--version-script=${MURKWISP_CLAP_DIR}/Murkwisp.map -Wl,--no-undefined)
  set_property(TARGET murkwisp_clap APPEND PROPERTY LINK_DEPENDS ${MURKWISP_CLAP_DIR}/Murkwisp.map)
endif()
