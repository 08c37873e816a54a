#!/usr/bin/env bash
# Zelvorn's start next to the same window built from Qt's stock widgets, in one run on one
# virtual X display: the time from exec to the window being mapped (exposed), to its first
# complete paint, and the peak memory then. Each program starts RUNS times, alternating; the
# medians and Zelvorn's ratios to the stock window are reported.
#
# Usage: startup.sh <startup_zelvorn> <startup_stock> [RUNS]
set -euo pipefail
if [[ "${1:-}" != --inner ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inner "$@"
fi
zelvorn=$2
stock=$3
runs=${4:-15}
export QT_QPA_PLATFORM=xcb

measure() {
  ZELVORN_BENCH_START_NS=$(date +%s%N) "$1" 2>/dev/null | tail -n 1
}
field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p" <<<"$2"; }
source "$(dirname "$0")/../median.sh"

declare -A samples
figures=(mapped_ms first_paint_ms peak_rss_kb)
measure "$zelvorn" >/dev/null  # warm the file caches for both
measure "$stock" >/dev/null
for _ in $(seq "$runs"); do
  for program in zelvorn stock; do
    line=$(measure "${!program}")
    for figure in "${figures[@]}"; do
      samples[$program.$figure]+="$(field "$figure" "$line")"$'\n'
    done
  done
done
declare -A medians
for program in zelvorn stock; do
  for figure in "${figures[@]}"; do
    medians[$program.$figure]=$(printf '%s' "${samples[$program.$figure]}" | median)
  done
  printf '%-8s mapped %7.1f ms   first paint %7.1f ms   peak memory %7d kB   (median of %d)\n' \
    "$program" "${medians[$program.mapped_ms]}" "${medians[$program.first_paint_ms]}" \
    "${medians[$program.peak_rss_kb]}" "$runs"
done
ratio() { awk -v a="${medians[zelvorn.$1]}" -v b="${medians[stock.$1]}" 'BEGIN { printf "%.2f", a / b }'; }
printf 'ratio    mapped %7sx          first paint %7sx          peak memory %7sx\n' \
  "$(ratio mapped_ms)" "$(ratio first_paint_ms)" "$(ratio peak_rss_kb)"
