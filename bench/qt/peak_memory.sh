#!/usr/bin/env bash
# The peak memory of GUI programs over their first seconds on one virtual X display: the start,
# the first paint and whatever is loaded later (the audio module, faces drawn on first use), as
# the kernel's high-water mark after SECONDS. Each program starts RUNS times, alternating; the
# medians are reported.
#
# Usage: peak_memory.sh [SECONDS [RUNS]] -- PROGRAM...
set -euo pipefail
if [[ "${1:-}" != --inner ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inner "$@"
fi
shift
seconds=2
runs=9
[[ "${1:-}" != -- ]] && { seconds=$1; shift; }
[[ "${1:-}" != -- ]] && { runs=$1; shift; }
shift
export QT_QPA_PLATFORM=xcb

peak_kb() {
  "$1" >/dev/null 2>&1 &
  local pid=$!
  sleep "$seconds"
  local kb
  kb=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$kb"
}
source "$(dirname "$0")/../median.sh"

declare -A peaks
for program in "$@"; do peaks[$program]=""; peak_kb "$program" >/dev/null; done  # warm the caches
for _ in $(seq "$runs"); do
  for program in "$@"; do peaks[$program]+="$(peak_kb "$program")"$'\n'; done
done
for program in "$@"; do
  printf '%s: peak memory over %ss %d kB (median of %d)\n' "$program" "$seconds" \
         "$(printf '%s' "${peaks[$program]}" | median)" "$runs"
done
