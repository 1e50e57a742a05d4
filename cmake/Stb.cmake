# stb (Debian's libstb-dev): header-only, so the host's copy serves both
# trees. MURKWISP_STB_INCLUDE_DIR may point elsewhere.
find_path(MURKWISP_STB_INCLUDE_DIR NAMES stb_image.h PATH_SUFFIXES stb NO_CMAKE_FIND_ROOT_PATH
          DOC "Folder holding stb_image.h")
if(NOT MURKWISP_STB_INCLUDE_DIR)
  message(FATAL_ERROR "stb_image.h not found: run scripts/setup.sh or set MURKWISP_STB_INCLUDE_DIR")
endif()
add_library(murkwisp_stb INTERFACE)
target_include_directories(murkwisp_stb SYSTEM INTERFACE ${MURKWISP_STB_INCLUDE_DIR})
add_library(Murkwisp::stb ALIAS murkwisp_stb)
