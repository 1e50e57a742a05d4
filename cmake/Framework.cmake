# The framework and the plug-in are built from folder globs so that every
# file added under a folder joins its library without touching this file.
#
#   murkwisp_common         graphics/renderer/ (the vector renderer, which
#                           knows nothing of controls or plug-ins)
#   murkwisp_fw_<flavour>   common objects + core/ + graphics/platform/ +
#                           graphics/drawing/ + graphics/ + plugin/ +
#                           plugin/editor/ (+ core/vst3 and abi/vst3, or
#                           core/clap and abi/clap)
#
# Flavours: headless (native tests, no wrapper), vst3, clap. Each flavour
# compiles everything that can see a control with its own MURKWISP_API_*
# definition: in the VST3 module a control is also a VST3 object, so its
# layout differs, and no object file may be shared across flavours.
# Platform code: graphics/platform/win/ on Windows, graphics/platform/native/
# elsewhere. Files named *Entry.cpp in core/vst3 and core/clap are the module
# entry points and go only into the module itself.

set(MURKWISP_FLAVOURS headless vst3 clap)

function(_murkwisp_glob out)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.c)
    list(APPEND files ${found})
  endforeach()
  list(FILTER files EXCLUDE REGEX "Entry\\.cpp$")
  set(${out} ${files} PARENT_SCOPE)
endfunction()

function(murkwisp_common_settings target)
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  target_include_directories(${target} SYSTEM PUBLIC /usr/include/stb)
  target_link_libraries(${target} PUBLIC Murkwisp::kissfft Threads::Threads)
  if(WIN32)
    target_compile_definitions(${target} PUBLIC UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
    target_link_libraries(${target} PUBLIC user32 gdi32 opengl32 comdlg32 shell32 comctl32
                          shlwapi ole32 wininet kernel32 uuid)
  else()
    target_link_libraries(${target} PUBLIC ${CMAKE_DL_LIBS})
  endif()
  murkwisp_warnings(${target})
endfunction()

function(murkwisp_build_framework)
  find_package(Threads REQUIRED)
  if(WIN32)
    set(platform_dir graphics/platform/win)
  else()
    set(platform_dir graphics/platform/native)
  endif()
  _murkwisp_glob(common_src graphics/renderer)
  if(NOT common_src)
    set(common_src ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(murkwisp_common OBJECT ${common_src})
  murkwisp_common_settings(murkwisp_common)

  foreach(flavour IN LISTS MURKWISP_FLAVOURS)
    set(dirs core graphics/platform ${platform_dir} graphics/drawing graphics plugin plugin/editor)
    if(flavour STREQUAL "vst3")
      list(APPEND dirs core/vst3 abi/vst3)
    elseif(flavour STREQUAL "clap")
      list(APPEND dirs core/clap abi/clap)
    endif()
    _murkwisp_glob(src ${dirs})
    set(lib murkwisp_fw_${flavour})
    add_library(${lib} STATIC ${src} $<TARGET_OBJECTS:murkwisp_common> ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
    murkwisp_common_settings(${lib})
    string(TOUPPER ${flavour} up)
    target_compile_definitions(${lib} PUBLIC MURKWISP_API_${up}=1)
  endforeach()
endfunction()
