# Murkwisp.clap must load on a clean Windows: no MinGW runtime DLL among its
# imports, and exactly the two CLAP symbols exported.
#   cmake -DOBJDUMP=<objdump> -DMODULE=<Murkwisp.clap> -P CheckModuleImports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${MODULE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
message(STATUS "imports: ${imports}")
foreach(import IN LISTS imports)
  if(import MATCHES "libstdc|libgcc|libwinpthread|mingw")
    message(FATAL_ERROR "the module needs a MinGW runtime DLL: ${import}")
  endif()
endforeach()
# Export names stand at the start of a line after "[ n] " in the name table
# (relocation lines carry brackets mid-line); brackets would confuse list
# handling, so tag the names first.
string(REGEX REPLACE "\n\t\\[ *[0-9]+\\] ([A-Za-z_][A-Za-z0-9_]*)" "\nEXPORT:\\1" tagged "${dump}")
string(REGEX MATCHALL "EXPORT:[A-Za-z0-9_]+" exports "${tagged}")
list(TRANSFORM exports REPLACE "^EXPORT:" "")
list(SORT exports)
if(NOT exports STREQUAL "clap_entry;clap_factory")
  message(FATAL_ERROR "unexpected exports: ${exports}")
endif()
message(STATUS "exports: ${exports}")
