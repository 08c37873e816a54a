#!/bin/sh
# Runs a command on the X display of the Windows test run, when that run has one:
#   on_test_display.sh COMMAND...
# The test run's Wine server keeps one desktop for all its programs, and that desktop lives on
# the display of whichever program started it; so every Windows program of the run uses the one
# display that start_wine_server.sh opened, named with the Xvfb's process in the file
# $ZELVORN_WINE_DISPLAY, and says so in ZELVORN_ON_TEST_DISPLAY. Without a live one, DISPLAY
# stays as it was.
if [ -n "${ZELVORN_WINE_DISPLAY:-}" ] && [ -s "$ZELVORN_WINE_DISPLAY" ]; then
  read -r number server <"$ZELVORN_WINE_DISPLAY"
  if kill -0 "$server" 2>/dev/null; then
    DISPLAY=":$number"
    ZELVORN_ON_TEST_DISPLAY=1
    export DISPLAY ZELVORN_ON_TEST_DISPLAY
  fi
fi
# The Wine loader of the build's kind (cmake/windows.cmake) is the `wine` the scripts start.
if [ -n "${ZELVORN_WINE_BIN:-}" ]; then
  PATH="$ZELVORN_WINE_BIN:$PATH"
  export PATH
fi
exec "$@"
