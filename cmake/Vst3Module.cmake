# Murkwisp.vst3: the VST3 module. Its entry file (and on Windows the embedded
# font, cmake/Fonts.cmake) on top of the VST3 build of the plug-in and the
# layers below it (cmake/Layers.cmake, murkwisp_link_module), laid out as a
# VST3 bundle folder:
#   windows tree: Murkwisp.vst3/Contents/x86_64-win/Murkwisp.vst3 (DLL)
#   native tree:  Murkwisp.vst3/Contents/x86_64-linux/Murkwisp.so
# Exports exactly GetPluginFactory, InitDll and ExitDll (.def file) on
# Windows and GetPluginFactory, ModuleEntry and ModuleExit (version script)
# elsewhere. The Windows module carries its runtimes statically.
set(MURKWISP_MODULES_DIR ${CMAKE_SOURCE_DIR}/plugin/modules)
add_library(murkwisp_vst3 MODULE ${MURKWISP_MODULES_DIR}/Vst3Entry.cpp)
murkwisp_link_module(murkwisp_vst3 vst3)
if(WIN32)
  set(_vst3_arch_dir ${CMAKE_BINARY_DIR}/Murkwisp.vst3/Contents/x86_64-win)
  set_target_properties(murkwisp_vst3 PROPERTIES OUTPUT_NAME Murkwisp PREFIX "" SUFFIX ".vst3"
    LIBRARY_OUTPUT_DIRECTORY ${_vst3_arch_dir} RUNTIME_OUTPUT_DIRECTORY ${_vst3_arch_dir})
  target_sources(murkwisp_vst3 PRIVATE ${MURKWISP_MODULES_DIR}/Vst3Exports.def ${MURKWISP_MODULE_RC})
else()
  set(_vst3_arch_dir ${CMAKE_BINARY_DIR}/Murkwisp.vst3/Contents/x86_64-linux)
  set_target_properties(murkwisp_vst3 PROPERTIES OUTPUT_NAME Murkwisp PREFIX "" SUFFIX ".so"
    LIBRARY_OUTPUT_DIRECTORY ${_vst3_arch_dir})
  target_link_options(murkwisp_vst3 PRIVATE
    -Wl,--version-script=${MURKWISP_MODULES_DIR}/Vst3Exports.map -Wl,--no-undefined)
  set_property(TARGET murkwisp_vst3 APPEND PROPERTY LINK_DEPENDS ${MURKWISP_MODULES_DIR}/Vst3Exports.map)
endif()
