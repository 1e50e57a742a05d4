# Layers: one static library per layer, linking only the layers it may use,
# so that the dependencies run one way and the build enforces them.
#
# A layer's headers are staged at configure time as symbolic links under
# <build>/layers/<layer>/, keeping their source paths ("base/IParam.h"). A
# layer's include path is its own staged tree plus those of the layers it
# links; the source tree itself is no include directory. A file that includes
# a header of a layer it may not use therefore fails to compile. The graph is
# also written to <build>/layers/graph.txt, against which tests/layers checks
# every #include line of the layer folders.
#
# murkwisp_layer(<name> FOLDERS <folder>... [USES <layer>...]
#                [LIBS <library>...] [PRIVATE_LIBS <library>...])
#   Target murkwisp_<name>: the sources (*.cpp, *.c) and headers (*.h) of
#   each folder, not of its subfolders. A folder named win/ is built only in
#   the windows tree, one named native/ only in the native tree. Every
#   folder must exist, and every layer it USES must be declared before it (so
#   the graph cannot loop). LIBS are linked publicly, PRIVATE_LIBS privately.

set(MURKWISP_LAYER_ROOT ${CMAKE_BINARY_DIR}/layers)
file(REMOVE_RECURSE ${MURKWISP_LAYER_ROOT})
file(MAKE_DIRECTORY ${MURKWISP_LAYER_ROOT})
set_property(GLOBAL PROPERTY MURKWISP_LAYERS "")

if(WIN32)
  set(_murkwisp_other_os native)
else()
  set(_murkwisp_other_os win)
endif()

function(murkwisp_layer name)
  cmake_parse_arguments(L "" "" "FOLDERS;USES;LIBS;PRIVATE_LIBS" ${ARGN})
  get_property(declared GLOBAL PROPERTY MURKWISP_LAYERS)
  if(name IN_LIST declared)
    message(FATAL_ERROR "layer ${name} is declared twice")
  endif()
  foreach(used IN LISTS L_USES)
    if(NOT used IN_LIST declared)
      message(FATAL_ERROR "layer ${name} uses ${used}, which is not declared before it")
    endif()
  endforeach()

  set(stage ${MURKWISP_LAYER_ROOT}/${name})
  set(sources)
  foreach(folder IN LISTS L_FOLDERS)
    if(NOT IS_DIRECTORY ${CMAKE_SOURCE_DIR}/${folder})
      message(FATAL_ERROR "layer ${name}: no folder ${folder}")
    endif()
    if(folder MATCHES "/${_murkwisp_other_os}$")
      continue()
    endif()
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/${folder}/*.c)
    list(APPEND sources ${found})
    file(MAKE_DIRECTORY ${stage}/${folder})
    foreach(header IN LISTS headers)
      get_filename_component(file ${header} NAME)
      file(CREATE_LINK ${header} ${stage}/${folder}/${file} SYMBOLIC)
    endforeach()
  endforeach()

  set(target murkwisp_${name})
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${stage})
  foreach(used IN LISTS L_USES)
    target_link_libraries(${target} PUBLIC murkwisp_${used})
  endforeach()
  target_link_libraries(${target} PUBLIC ${L_LIBS} PRIVATE ${L_PRIVATE_LIBS})
  if(WIN32)
    target_compile_definitions(${target} PUBLIC UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
  endif()
  murkwisp_warnings(${target})

  set_property(GLOBAL APPEND PROPERTY MURKWISP_LAYERS ${name})
  list(JOIN L_FOLDERS " " folders)
  list(JOIN L_USES " " uses)
  file(APPEND ${MURKWISP_LAYER_ROOT}/graph.txt "${name} | ${folders} | ${uses}\n")
endfunction()

# ---------------------------------------------------------------------------
# The graph. Arrows read "may use"; each layer may also use what the layers it
# uses may use.

find_package(Threads REQUIRED)
if(WIN32)
  set(_murkwisp_system_libs user32 gdi32 opengl32 comdlg32 shell32 comctl32 shlwapi ole32 wininet kernel32 uuid)
else()
  set(_murkwisp_system_libs ${CMAKE_DL_LIBS})
endif()

# Strings, buffers, rings, parameters, the editor delegate interface, mutex,
# state chunk, FXP layout, UTF-8 files and conversion, trace.
murkwisp_layer(base FOLDERS base LIBS Threads::Threads)
# Resource lookup, the framework timer, GL entry-point lookup, the scaled
# resource caches and font files: portable headers, Win32 or native halves.
murkwisp_layer(platform FOLDERS platform platform/win platform/native
               USES base LIBS ${_murkwisp_system_libs})
# The vector renderer and its OpenGL 2 back end.
murkwisp_layer(renderer FOLDERS renderer USES base platform PRIVATE_LIBS Murkwisp::stb)
# Geometry, IGfx, controls, SVG, the graphics editor delegate.
murkwisp_layer(toolkit FOLDERS toolkit toolkit/svg USES base platform)
# The drawing back end (IGfxVG): the toolkit's drawing on the renderer.
murkwisp_layer(drawing FOLDERS drawing USES toolkit renderer)
# The editor window and its platform services.
murkwisp_layer(window FOLDERS window window/win window/native USES drawing)
# Processor, plug-in base, API base.
murkwisp_layer(framework FOLDERS framework USES toolkit)
# The interface declarations of the two plug-in formats (hosts use them too).
murkwisp_layer(vst3_abi FOLDERS abi/vst3)
murkwisp_layer(clap_abi FOLDERS abi/clap)
# The format wrappers; the host-less one serves tests, tools and benchmarks.
murkwisp_layer(vst3_wrapper FOLDERS wrappers/vst3 USES framework vst3_abi)
murkwisp_layer(clap_wrapper FOLDERS wrappers/clap USES framework clap_abi)
murkwisp_layer(headless_wrapper FOLDERS wrappers/headless USES framework)
# The spectral engine: pure DSP.
murkwisp_layer(engine FOLDERS engine USES base)
# The plug-in: parameters, presets, configuration, audio, version check and
# the editor, compiled once for every format; the version is the project's.
murkwisp_layer(plugin FOLDERS plugin plugin/editor USES framework engine toolkit window)
target_compile_definitions(murkwisp_plugin PRIVATE MURKWISP_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  MURKWISP_VERSION_MINOR=${PROJECT_VERSION_MINOR} MURKWISP_VERSION_PATCH=${PROJECT_VERSION_PATCH})
# The plug-in over each format's wrapper: what a module entry file, a test or
# a tool links for MurkwispPlugin<wrapper> (plugin/Murkwisp.h).
foreach(format IN ITEMS vst3 clap headless)
  add_library(murkwisp_plugin_${format} INTERFACE)
  target_link_libraries(murkwisp_plugin_${format} INTERFACE murkwisp_plugin murkwisp_${format}_wrapper)
endforeach()

# A module: its entry file over the plug-in and its format's wrapper. The
# entry file may use what those two layers may use. The layer libraries give
# only the objects the module reaches: nothing in them registers itself from a
# static initialiser, and a class comes with the object of the constructor
# that sets its virtual table. The Windows modules, the deliverables, are also
# linked with --gc-sections over one section per function and datum
# (CMakeLists.txt), which drops unreferenced data but little code (this linker
# keeps every function that has an unwind entry), route the runtime's
# demangler out (platform/win/NoDemangler.cpp replaces it), and carry no
# symbols or debug information unless MURKWISP_MODULE_SYMBOLS is on.
function(murkwisp_link_module target format)
  get_target_property(entry ${target} SOURCES)
  file(RELATIVE_PATH entry ${CMAKE_SOURCE_DIR} ${entry})
  file(APPEND ${MURKWISP_LAYER_ROOT}/graph.txt "module ${target} | ${entry} | plugin ${format}_wrapper\n")
  target_link_libraries(${target} PRIVATE murkwisp_plugin_${format})
  if(WIN32)
    target_link_options(${target} PRIVATE -Wl,--gc-sections -Wl,--wrap=__cxa_demangle -Wl,--undefined=__wrap___cxa_demangle
                        $<$<NOT:$<BOOL:${MURKWISP_MODULE_SYMBOLS}>>:-s>)
  endif()
  murkwisp_warnings(${target})
endfunction()
