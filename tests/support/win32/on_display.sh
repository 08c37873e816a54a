#!/bin/sh
# Runs a command on an X display of its own, for Windows programs that open windows under Wine:
#   on_display.sh COMMAND...
# Xvfb chooses a free display itself, so that parallel runs never pick the same one, and ends
# with the command, whose exit status this returns.
set -e
number_file=$(mktemp)
trap 'rm -f "$number_file"' EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" </dev/null >/dev/null 2>&1 &
server=$!
for _ in $(seq 100); do
  [ -s "$number_file" ] && break
  sleep 0.1
done
if [ ! -s "$number_file" ]; then
  echo "Xvfb did not start" >&2
  kill "$server" 2>/dev/null || true
  exit 1
fi
DISPLAY=":$(cat "$number_file")"
export DISPLAY
status=0
"$@" || status=$?
kill "$server" 2>/dev/null || true
wait "$server" 2>/dev/null || true
exit "$status"
