#!/usr/bin/env bash
# The Windows program under Wine next to the Linux program, in one run on one virtual X display:
# the time from exec to the moment the window titled "Zelvorn" is mapped, as another X client
# sees it (polled every few milliseconds). Wine's server is started once beforehand and stays
# up, as it does on a desktop where a Windows program ran before; the first start after it is
# reported on its own. Each program starts RUNS times, alternating; the medians are reported.
#
# Usage: startup.sh <zelvorn.exe> <zelvorn for Linux> <Wine prefix> [RUNS]
set -euo pipefail
if [[ "${1:-}" != --inner ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inner "$@"
fi
windows=$2
linux=$3
WINEPREFIX=$(realpath "$4")
export WINEPREFIX WINEDEBUG=-all QT_QPA_PLATFORM=xcb
runs=${5:-9}
source "$(dirname "$0")/../median.sh"
errors=$(mktemp)

shown() { xdotool search --onlyvisible --name '^Zelvorn$' >/dev/null 2>&1; }
# Milliseconds from the start of the command to its window being mapped; then it is closed.
launch_ms() {
  local start end pid
  start=$(date +%s%N)
  "$@" >/dev/null 2>"$errors" &
  pid=$!
  until shown; do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "the program ended before its window was shown: $*" >&2
      cat "$errors" >&2
      exit 1
    fi
    sleep 0.002
  done
  end=$(date +%s%N)
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  while shown; do sleep 0.01; done
  awk -v ns=$((end - start)) 'BEGIN { printf "%.1f\n", ns / 1e6 }'
}

# A new prefix is made first, which takes Wine a while and is no part of a start.
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  wineboot --init
  wineserver -w
fi
wineserver -p
trap 'wineserver -k 2>/dev/null || true; rm -f "$errors"' EXIT
first=$(launch_ms wine "$windows")
launch_ms "$linux" >/dev/null  # the Linux program's files into the caches too
declare -A ms=([windows]="" [linux]="")
for _ in $(seq "$runs"); do
  ms[windows]+="$(launch_ms wine "$windows")"$'\n'
  ms[linux]+="$(launch_ms "$linux")"$'\n'
done
printf 'windows  first start after the server  %7.1f ms\n' "$first"
for host in windows linux; do
  median_ms=$(printf '%s' "${ms[$host]}" | median)
  printf '%-8s launch to mapped window       %7.1f ms   (median of %d)\n' "$host" "$median_ms" \
    "$runs"
  declare "median_$host=$median_ms"
done
awk -v a="$median_windows" -v b="$median_linux" 'BEGIN { printf "ratio    %.2fx\n", a / b }'
