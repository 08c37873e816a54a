#!/usr/bin/env bash
# Starts the real program on Qt's Wayland platform under a headless Weston, waits until its main
# window is mapped with the application's id and title, then has the compositor close it (the
# client gets xdg_toplevel.close, as from a title bar's close button) and expects the program to
# end with exit code 0.
#
# Usage: wayland_smoke_test.sh <zelvorn executable> <weston window closer plug-in>
set -euo pipefail
program=$1
closer=$2

runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
socket=zelvorn-smoke
weston --backend=headless-backend.so --socket="$socket" --idle-time=0 --modules="$closer" \
  >"$runtime/windows" 2>"$runtime/weston.log" &
weston_pid=$!
pid=""
cleanup() {
  if [[ -n "$pid" ]]; then kill "$pid" 2>/dev/null || true; fi
  kill "$weston_pid" 2>/dev/null || true
  wait "$weston_pid" 2>/dev/null || true
  rm -rf "$runtime"
}
trap cleanup EXIT

for _ in $(seq 100); do
  [[ -S "$runtime/$socket" ]] && break
  sleep 0.1
done
[[ -S "$runtime/$socket" ]] || { echo "FAIL: weston did not start"; cat "$runtime/weston.log"; exit 1; }

WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland "$program" &
pid=$!

window=""
for _ in $(seq 100); do
  kill -USR1 "$weston_pid"
  sleep 0.1
  window=$(grep -m 1 '^window io.github.zelvorn.Zelvorn "Zelvorn" ' "$runtime/windows" || true)
  [[ -n "$window" ]] && break
done
[[ -n "$window" ]] || {
  echo "FAIL: no window io.github.zelvorn.Zelvorn titled Zelvorn was mapped; the compositor saw:"
  cat "$runtime/windows"
  exit 1
}
echo "mapped: $window"
# The size includes the frame Qt draws itself; the client area inside it is 568 × 604.
read -r width height < <(sed 's/.* \([0-9]*\)x\([0-9]*\)$/\1 \2/' <<<"$window")
if ((width < 568 || height < 604)); then
  echo "FAIL: the window is ${width}x${height}, too small for its 568x604 client area"
  exit 1
fi

kill -USR2 "$weston_pid"
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "FAIL: the program is still running after the compositor closed its window"
  exit 1
fi
status=0
wait "$pid" || status=$?
pid=""
if ((status != 0)); then
  echo "FAIL: exit code $status, expected 0"
  exit 1
fi
echo "wayland smoke test passed"
