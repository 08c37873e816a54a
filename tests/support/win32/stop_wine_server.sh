#!/bin/sh
# Ends what start_wine_server.sh started: the Wine server with its programs, then the display.
wineserver --kill
if [ -s "$ZELVORN_WINE_DISPLAY" ]; then
  read -r _ server <"$ZELVORN_WINE_DISPLAY"
  kill "$server" 2>/dev/null || true
  rm -f "$ZELVORN_WINE_DISPLAY"
fi
