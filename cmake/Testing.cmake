# Test helpers. Natively GoogleTest comes from Debian's package (GTest_DIR or
# GTEST_ROOT may point elsewhere); the cross build compiles GoogleTest's
# sources (Debian's googletest package; MURKWISP_GTEST_SOURCE_DIR may point
# elsewhere) with the mingw compiler.
if(CMAKE_CROSSCOMPILING)
  find_path(MURKWISP_GTEST_SOURCE_DIR NAMES googletest/include/gtest/gtest.h PATHS /usr/src/googletest
            NO_CMAKE_FIND_ROOT_PATH DOC "GoogleTest source folder for the cross build")
  if(NOT MURKWISP_GTEST_SOURCE_DIR)
    message(FATAL_ERROR "GoogleTest sources not found: run scripts/setup.sh or set MURKWISP_GTEST_SOURCE_DIR")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(${MURKWISP_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()

# murkwisp_add_gtest(NAME <name> [NATIVE_ONLY] [WINDOWS_ONLY] [NO_MAIN]
#                    SOURCES ... [LIBS ...] [LABELS ...] [TIMEOUT s])
# One test executable, registered with ctest as one test. LIBS names the
# layer under test (murkwisp_<layer>) and any test kit: a test may include
# what that layer may use, its own folder's and tests/ headers. In the
# windows tree it runs under wine through CMAKE_CROSSCOMPILING_EMULATOR.
function(murkwisp_add_gtest)
  cmake_parse_arguments(T "NATIVE_ONLY;WINDOWS_ONLY;NO_MAIN" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(T_NATIVE_ONLY AND CMAKE_CROSSCOMPILING)
    return()
  endif()
  if(T_WINDOWS_ONLY AND NOT WIN32)
    return()
  endif()
  # The thread-sanitizer tree builds and runs only the tests labelled "tsan".
  if(MURKWISP_TSAN AND NOT "tsan" IN_LIST T_LABELS)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS})
  if(T_NO_MAIN)
    target_link_libraries(${T_NAME} PRIVATE GTest::gtest GTest::gmock)
  else()
    target_link_libraries(${T_NAME} PRIVATE GTest::gtest_main GTest::gmock)
  endif()
  target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  murkwisp_warnings(${T_NAME})
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_brief=1)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_LABELS)
    set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()
