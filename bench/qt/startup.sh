#!/usr/bin/env bash
# Zelvorn's start next to the smallest Qt window, in one run on one virtual X display: the time
# from exec to the first complete paint, and the peak memory then. Each program starts RUNS
# times, alternating; the medians and their ratios are reported.
#
# Usage: startup.sh <startup_zelvorn> <startup_minimal> [RUNS]
set -euo pipefail
if [[ "${1:-}" != --inner ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inner "$@"
fi
zelvorn=$2
minimal=$3
runs=${4:-15}
export QT_QPA_PLATFORM=xcb

measure() {
  ZELVORN_BENCH_START_NS=$(date +%s%N) "$1" 2>/dev/null | tail -n 1
}
source "$(dirname "$0")/../median.sh"

declare -A ms rss
for program in zelvorn minimal; do ms[$program]=""; rss[$program]=""; done
measure "$zelvorn" >/dev/null  # warm the file caches for both
measure "$minimal" >/dev/null
for _ in $(seq "$runs"); do
  for program in zelvorn minimal; do
    line=$(measure "${!program}")
    ms[$program]+="$(sed -n 's/.*first_paint_ms=\([0-9.]*\).*/\1/p' <<<"$line")"$'\n'
    rss[$program]+="$(sed -n 's/.*peak_rss_kb=\([0-9]*\).*/\1/p' <<<"$line")"$'\n'
  done
done
for program in zelvorn minimal; do
  m=$(printf '%s' "${ms[$program]}" | median)
  r=$(printf '%s' "${rss[$program]}" | median)
  printf '%-8s first paint %7.1f ms   peak memory %7d kB   (median of %d)\n' "$program" "$m" "$r" "$runs"
  declare "median_ms_$program=$m" "median_rss_$program=$r"
done
awk -v a="$median_ms_zelvorn" -v b="$median_ms_minimal" -v c="$median_rss_zelvorn" \
    -v d="$median_rss_minimal" \
    'BEGIN { printf "ratio    first paint %.2fx           peak memory %.2fx\n", a / b, c / d }'
