# The Windows build's tests: GoogleTest built from Debian's sources with the cross compiler, and
# the Wine prefix and server they run in.
if(NOT ZELVORN_WINE OR NOT ZELVORN_WINESERVER)
  message(FATAL_ERROR "The Windows tests run under Wine, which is not installed: run "
                      "tools/setup-deps (it installs wine and wine32)")
endif()

find_path(ZELVORN_GOOGLETEST_SOURCES googletest/CMakeLists.txt PATHS /usr/src/googletest
          NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
if(NOT ZELVORN_GOOGLETEST_SOURCES)
  message(FATAL_ERROR "No GoogleTest sources in /usr/src/googletest: run tools/setup-deps "
                      "(it installs googletest)")
endif()
set(INSTALL_GTEST OFF)
# GoogleTest's own code is not held to our warning flags.
get_directory_property(zelvorn_compile_options COMPILE_OPTIONS)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
add_subdirectory(${ZELVORN_GOOGLETEST_SOURCES} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "${zelvorn_compile_options}")

# The prefix, made once when the tests are first built: Wine takes about 15 s to set one up.
set(prefix_stamp ${ZELVORN_WINE_PREFIX}/system.reg)
add_custom_command(OUTPUT ${prefix_stamp}
  COMMAND ${ZELVORN_WINE_ENV} ${ZELVORN_WINE} wineboot --init
  COMMAND ${ZELVORN_WINE_ENV} ${ZELVORN_WINESERVER} --wait
  COMMENT "Making the Wine prefix the tests run in"
  USES_TERMINAL)
add_custom_target(zelvorn_wine_prefix ALL DEPENDS ${prefix_stamp})

# One Wine server and one X display for the whole test run, with Wine's services started once.
# Every test that runs a Windows program requires them:
#   set_tests_properties(... PROPERTIES ${ZELVORN_TEST_FIXTURES})
add_test(NAME WineServer.Start
         COMMAND ${ZELVORN_WINE_ENV} ${PROJECT_SOURCE_DIR}/tests/support/win32/start_wine_server.sh)
add_test(NAME WineServer.Stop
         COMMAND ${ZELVORN_WINE_ENV} ${PROJECT_SOURCE_DIR}/tests/support/win32/stop_wine_server.sh)
set_tests_properties(WineServer.Start PROPERTIES FIXTURES_SETUP wine TIMEOUT 30)
set_tests_properties(WineServer.Stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 30)
set(ZELVORN_TEST_FIXTURES FIXTURES_REQUIRED wine)
