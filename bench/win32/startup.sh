#!/usr/bin/env bash
# The Windows program's start under Wine next to its floor, the same window from Windows' stock
# controls (stock_window.exe), and next to the Linux program, in one run on one virtual X display:
# the time from exec to the moment the window titled "Zelvorn" is mapped, as another X client
# sees it (polled every few milliseconds), and the process's peak memory at that moment. Wine's
# server is started once beforehand and stays up, as it does on a desktop where a Windows program
# ran before; the first start after it is reported on its own. The programs start RUNS times
# each, alternating; the medians and their ratios to the floor's are reported.
#
# Usage: startup.sh <zelvorn.exe> <stock_window.exe> <Wine prefix> [<zelvorn for Linux> [RUNS]]
# `wine` is the loader of the programs' kind (the build's wine-bin/wine, first on the PATH).
set -euo pipefail
if [[ "${1:-}" != --inner ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inner "$@"
fi
windows=$(realpath "$2")
floor=$(realpath "$3")
WINEPREFIX=$(realpath "$4")
linux=${5:-}
runs=${6:-9}
export WINEPREFIX WINEDEBUG=-all QT_QPA_PLATFORM=xcb
source "$(dirname "$0")/../median.sh"
errors=$(mktemp)

shown() { xdotool search --onlyvisible --name '^Zelvorn$' >/dev/null 2>&1; }
# "<milliseconds> <peak kB>": from the start of the command to its window being mapped, and the
# process's high-water mark then; then it is closed. Wine's loader becomes the program itself.
launch() {
  local start end pid peak
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
  peak=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  while shown; do sleep 0.01; done
  awk -v ns=$((end - start)) -v kb="$peak" 'BEGIN { printf "%.1f %d\n", ns / 1e6, kb }'
}

# A new prefix is made first, which takes Wine a while and is no part of a start.
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  wineboot --init
  wineserver -w
fi
wineserver -p
trap 'wineserver -k 2>/dev/null || true; rm -f "$errors"' EXIT

declare -A command=([zelvorn]="wine $windows" [floor]="wine $floor")
hosts=(zelvorn floor)
if [[ -n $linux ]]; then
  command[linux]=$linux
  hosts+=(linux)
fi
read -r first _ < <(launch ${command[zelvorn]})
for host in "${hosts[@]}"; do launch ${command[$host]} >/dev/null; done  # into the file caches
declare -A ms kb
for _ in $(seq "$runs"); do
  for host in "${hosts[@]}"; do
    read -r time peak < <(launch ${command[$host]})
    ms[$host]+="$time"$'\n'
    kb[$host]+="$peak"$'\n'
  done
done

printf 'zelvorn  first start after the server  %7.1f ms\n' "$first"
declare -A median_ms median_kb
for host in "${hosts[@]}"; do
  median_ms[$host]=$(printf '%s' "${ms[$host]}" | median)
  median_kb[$host]=$(printf '%s' "${kb[$host]}" | median)
  printf '%-8s launch to mapped window %7.1f ms   peak memory %7d kB   (median of %d)\n' \
    "$host" "${median_ms[$host]}" "${median_kb[$host]}" "$runs"
done
for host in zelvorn ${linux:+linux}; do
  awk -v host="$host" -v a="${median_ms[$host]}" -v b="${median_ms[floor]}" \
      -v c="${median_kb[$host]}" -v d="${median_kb[floor]}" \
      'BEGIN { printf "%-8s / floor: launch %.2fx   peak memory %.2fx\n", host, a / b, c / d }'
done
