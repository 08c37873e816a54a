# What the Windows program is built from besides its code: the tools that make its sound and
# icon, run on the build machine, and the Wine prefix that its tests and its installer run in.

# The host tools, built natively as a project of their own (tools/CMakeLists.txt): the cross
# compiler's programs cannot run here without Wine.
include(ExternalProject)
set(ZELVORN_HOST_TOOLS_DIR ${PROJECT_BINARY_DIR}/host-tools)
set(ZELVORN_MAKE_SOUND ${ZELVORN_HOST_TOOLS_DIR}/zelvorn_make_sound)
set(ZELVORN_MAKE_ICON ${ZELVORN_HOST_TOOLS_DIR}/zelvorn_make_icon)
ExternalProject_Add(zelvorn_host_tools
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools
  BINARY_DIR ${ZELVORN_HOST_TOOLS_DIR}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DZELVORN_WERROR=${ZELVORN_WERROR}
             -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${ZELVORN_MAKE_SOUND} ${ZELVORN_MAKE_ICON}
  USES_TERMINAL_BUILD ON)

# The wrong-click sound, beside the program, where it looks for it.
set(ZELVORN_SOUND_FILE ${PROJECT_BINARY_DIR}/snd.wav)
add_custom_command(OUTPUT ${ZELVORN_SOUND_FILE}
  COMMAND ${ZELVORN_MAKE_SOUND} ${ZELVORN_SOUND_FILE}
  DEPENDS ${ZELVORN_MAKE_SOUND}
  COMMENT "Making the wrong-click sound snd.wav")
add_custom_target(zelvorn_sound_file ALL DEPENDS ${ZELVORN_SOUND_FILE})

# Every Windows program of the build runs under Wine here, in a prefix of the build's own, made
# once (cmake/windows_tests.cmake); CTest starts each test program through it. Wine's own
# diagnostics would only bury the tests' output; its menu builder would copy the installer's
# Start-menu entry into this machine's own menu, and its .NET and HTML engines are neither
# needed nor downloadable here. Every program of a test run opens its windows on the run's one
# display. ZELVORN_WINE_ENV is that environment, for a test's command:
#   add_test(NAME ... COMMAND ${ZELVORN_WINE_ENV} script.sh ...)
#
# Debian's `wine` starts a program with the 32-bit loader whenever that is installed, so a 64-bit
# build takes the 64-bit loader itself. The tests' scripts start every Windows program as `wine`:
# wine-bin/wine, first on their PATH, starts the loader of the build's kind (under its own name:
# the loader takes the name `wine` to mean the 32-bit one).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  find_program(ZELVORN_WINE wine64 PATHS /usr/lib/wine)
else()
  find_program(ZELVORN_WINE wine)
endif()
find_program(ZELVORN_WINESERVER wineserver)
if(ZELVORN_WINE)
  file(WRITE ${PROJECT_BINARY_DIR}/wine-bin/wine "#!/bin/sh\nexec '${ZELVORN_WINE}' \"$@\"\n")
  file(CHMOD ${PROJECT_BINARY_DIR}/wine-bin/wine
       PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                   WORLD_EXECUTE)
endif()
set(ZELVORN_WINE_PREFIX ${PROJECT_BINARY_DIR}/wine-prefix)
set(ZELVORN_WINE_ENV ${CMAKE_COMMAND} -E env WINEPREFIX=${ZELVORN_WINE_PREFIX} WINEDEBUG=-all
    WINEDLLOVERRIDES=winemenubuilder.exe,mscoree,mshtml=d
    ZELVORN_WINE_DISPLAY=${PROJECT_BINARY_DIR}/wine-display
    ZELVORN_WINE_BIN=${PROJECT_BINARY_DIR}/wine-bin
    ${PROJECT_SOURCE_DIR}/tests/support/win32/on_test_display.sh)
if(ZELVORN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZELVORN_WINE_ENV} ${ZELVORN_WINE})
endif()
