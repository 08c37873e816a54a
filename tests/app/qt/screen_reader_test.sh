#!/usr/bin/env bash
# Runs screen_reader_test.py on a virtual X display, with a session bus of its own on which the
# accessibility bus is started when first asked for, so nothing outside the test hears it or
# speaks to it. The whole run ends after 90 s at the latest.
#
# Usage: screen_reader_test.sh <zelvorn executable>
set -euo pipefail

if [[ "${1:-}" != --inner ]]; then
  runtime=$(mktemp -d)
  trap 'rm -rf "$runtime"' EXIT
  # Settings come from memory, not from the account's store; the runtime folder is private.
  export GSETTINGS_BACKEND=memory XDG_RUNTIME_DIR=$runtime
  unset AT_SPI_BUS_ADDRESS DBUS_SESSION_BUS_ADDRESS
  timeout -k 5 90 xvfb-run -a -s "-screen 0 1280x1024x24" \
    dbus-run-session -- "$0" --inner "$@"
  exit
fi
# The system's Python, which has the AT-SPI bindings (a PATH may put another one first).
exec /usr/bin/python3 "$(dirname "$0")/screen_reader_test.py" "$2"
