# Fonts from Debian's packages (scripts/setup.sh installs them). Each path is
# a cache variable, so a machine that keeps its fonts elsewhere can say where.
#   MURKWISP_ROBOTO_FONT      the default text style's font, embedded in both
#                             Windows modules (package fonts-roboto-unhinted)
#   MURKWISP_COLLECTION_FONT  a two-face TrueType collection for the font
#                             reader's tests (package fonts-wqy-microhei)
find_file(MURKWISP_ROBOTO_FONT Roboto-Regular.ttf
  PATHS /usr/share/fonts/truetype/roboto/unhinted/RobotoTTF /usr/share/fonts/truetype/roboto/hinted
        /usr/share/fonts/truetype/roboto
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
  DOC "Roboto-Regular.ttf, embedded in the modules")
find_file(MURKWISP_COLLECTION_FONT wqy-microhei.ttc
  PATHS /usr/share/fonts/truetype/wqy
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
  DOC "A TrueType collection of two faces, for the font reader's tests")

# The resource script of the Windows modules, with the font's path filled in.
if(WIN32)
  enable_language(RC)
  if(NOT MURKWISP_ROBOTO_FONT)
    message(FATAL_ERROR "Roboto-Regular.ttf not found: run scripts/setup.sh (package fonts-roboto-unhinted) "
                        "or set MURKWISP_ROBOTO_FONT to its path")
  endif()
  set(MURKWISP_MODULE_RC ${CMAKE_BINARY_DIR}/resources/Murkwisp.rc)
  configure_file(${CMAKE_SOURCE_DIR}/resources/Murkwisp.rc.in ${MURKWISP_MODULE_RC} @ONLY)
  set_source_files_properties(${MURKWISP_MODULE_RC} PROPERTIES OBJECT_DEPENDS ${MURKWISP_ROBOTO_FONT})
endif()
