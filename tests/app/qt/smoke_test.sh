#!/usr/bin/env bash
# Starts the real program on a virtual X display, finds its main window, checks its client size
# and that it is centred, presses 开始训练 and checks the board's pixels on the screen, closes the
# window as a window manager's close button would, and expects the program to end with exit
# code 0.
#
# Usage: smoke_test.sh <zelvorn executable> <wm_delete_window executable>
set -euo pipefail

if [[ "${1:-}" != --inner ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inner "$@"
fi
program=$2
closer=$3
export QT_QPA_PLATFORM=xcb
source "$(dirname "$0")/x11_session.sh"

"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
window=$(wait_for_main_window)

info=$(xwininfo -id "$window")
value() { sed -n "s/^ *$1: *//p" <<<"$info"; }
echo "window $window: $(value Width)x$(value Height) at $(value 'Absolute upper-left X'),$(value 'Absolute upper-left Y')"
check "client width" "$(value Width)" 568
check "client height" "$(value Height)" 604
check "left" "$(value 'Absolute upper-left X')" $(((1280 - 568) / 2))
check "top" "$(value 'Absolute upper-left Y')" $(((1024 - 604) / 2))

# 开始训练 lies at (296, 8) in the strip, 101 × 50. A 5 × 5 board of 111 × 104 cells follows; the
# grid's client area starts at (2, 72) in the window, inside its 2-pixel frame.
xdotool mousemove --window "$window" 346 33 click 1
sleep 1
shot=$(mktemp --suffix=.png)
import -window "$window" "$shot"
pixel() { convert "$shot" -format "%[pixel:p{$1,$2}]" info:; }
check "selected cell (0, 0)" "$(pixel 7 132)" "srgb(182,202,234)"
check "cell (1, 0)" "$(pixel 118 132)" "srgb(255,255,255)"
check "line right of column 0" "$(pixel 112 132)" "srgb(192,192,192)"
check "line below row 0" "$(pixel 60 175)" "srgb(192,192,192)"
check "line right of the last column" "$(pixel 556 132)" "srgb(192,192,192)"
check "empty area beyond it" "$(pixel 558 132)" "srgb(255,255,255)"
check "line below the last row" "$(pixel 60 591)" "srgb(192,192,192)"
rm -f "$shot"

close_and_expect_exit_zero "$closer" "$window" "$pid"
trap - EXIT
[[ $failures -eq 0 ]] && echo "smoke test passed"
exit $failures
