#!/usr/bin/env bash
# Starts what the Windows tests share: an X display of their own (written to the file
# $ZELVORN_WINE_DISPLAY as "number process", for on_test_display.sh), the Wine server (in the
# caller's WINEPREFIX) and Wine's own services. The server is kept while no program runs, so each
# test starts in milliseconds; the services, started by a test instead, would hold that test's
# output open and CTest would wait for them. A server left by test discovery, which would end on
# its own seconds after its last program, is replaced, and so is a display left by a run that was
# cut short.
set -euo pipefail
# Whatever else this process inherited, such as another test's output that CTest opened at the
# same moment, the display, the server and the services would keep open for as long as they run.
for fd in /proc/$$/fd/*; do
  fd=${fd##*/}
  if [[ $fd -gt 2 ]]; then eval "exec $fd>&-"; fi
done
# What an earlier run left, when it was cut short before its cleanup.
"$(dirname "$0")/stop_wine_server.sh" 2>/dev/null || true
wineserver --wait

# Xvfb chooses a free display itself, so that parallel runs never pick the same one.
number_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" </dev/null >/dev/null 2>&1 &
server=$!
for _ in $(seq 100); do
  [[ -s $number_file ]] && break
  sleep 0.1
done
number=$(cat "$number_file")
rm -f "$number_file"
if [[ -z $number ]]; then
  echo "Xvfb did not start" >&2
  kill "$server" 2>/dev/null || true
  exit 1
fi
echo "$number $server" >"$ZELVORN_WINE_DISPLAY"
DISPLAY=":$number"
export DISPLAY

wineserver --persistent >/dev/null 2>&1
exec wine wineboot >/dev/null 2>&1 </dev/null
