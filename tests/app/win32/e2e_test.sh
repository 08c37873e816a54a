#!/usr/bin/env bash
# The Windows program as a person uses it, under Wine on a virtual X display: clicks go through
# X (xdotool), and a Windows program of the same session (win32_probe) reads what the program
# shows and where its grid lies, presses the boxes' OK and closes the window as its close button
# does. Every wait is on a condition and gives up after at most 20 s.
#
# Usage: e2e_test.sh <scenario> <zelvorn.exe, with snd.wav beside it> <win32_probe.exe>
#        <failing_app.exe>
# Scenarios:
#   play    the window appears titled "Zelvorn"; 开始训练 starts a 5×5 run; a wrong click plays
#           snd.wav; the numbers in order end in the result box, while which the clock still ticks
#           and clicks still arrive; typing "9" picks 9×9 and that run ends in its result too;
#           closing the window exits 0
#   errors  a handler's failure shows the error box under the title, the program goes on and
#           closes with 0; a failure while the main window is made shows "应用程序错误" and
#           exits 1
set -euo pipefail

# On the test run's display (tests/support/win32/on_test_display.sh), else on one of its own.
if [[ "${1:-}" != --inner ]]; then
  if [[ -n ${ZELVORN_ON_TEST_DISPLAY:-} ]]; then
    exec "$0" --inner "$@"
  fi
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inner "$@"
fi
scenario=$2
program=$3
prober=$4
failing=$5
# Wine's trace of the multimedia calls is how the test hears the sound.
trace=$(mktemp)
failures=0
pid=
cleanup() {
  [[ -n $pid ]] && kill "$pid" 2>/dev/null || true
  rm -f "$trace"
}
trap cleanup EXIT

check() {
  if [[ "$2" == "$3" ]]; then
    echo "ok: $1"
  else
    echo "FAILED: $1: got '$2', expected '$3'"
    failures=$((failures + 1))
  fi
}
check_match() {
  if [[ "$2" =~ $3 ]]; then
    echo "ok: $1"
  else
    echo "FAILED: $1: got '$2', expected to match '$3'"
    failures=$((failures + 1))
  fi
}

probe() { WINEDEBUG=-all wine "$prober" "$@" | tr -d '\r'; }
# The text of the strip's control of this class and position among those of its class.
strip_text() { probe texts | awk -F'|' -v class="$1" -v n="$2" '$1 == class && ++seen == n { print $2 }'; }
start() {
  WINEDEBUG=-all,trace+winmm wine "$@" 2>"$trace" &
  pid=$!
}
# Sets exit_code to the program's; outside a subshell, which could not wait for it.
wait_exit() {
  exit_code=0
  wait "$pid" || exit_code=$?
  pid=
}
# Polls `condition` (a command) every 0.1 s for at most 20 s.
wait_until() {
  for _ in $(seq 200); do
    if "$@"; then return 0; fi
    sleep 0.1
  done
  return 1
}
sound_plays() { [[ $(grep -c 'snd\.wav' "$trace") -gt $1 ]]; }
title_shown() { xdotool search --name '^Zelvorn$' >/dev/null 2>&1; }

# Clicks the cells of 1 to n² in order on a board whose cells are w × h, lines included.
click_in_order() {
  local w=$1 h=$2
  while read -r col row; do
    xdotool mousemove $((grid_left + col * w + w / 2)) $((grid_top + row * h + h / 2)) click 1
  done
}
click_cell() {
  xdotool mousemove $((grid_left + $1 * $3 + $3 / 2)) $((grid_top + $2 * $4 + $4 / 2)) click 1
}
click_button() {
  xdotool mousemove "$button_x" "$button_y" click 1
}
time_box() { strip_text Edit 1; }
time_box_moves_from() { [[ $(time_box) != "$1" ]]; }
time_box_is() { [[ $(time_box) == "$1" ]]; }

play() {
  start "$program"
  read -r grid_left grid_top grid_width grid_height < <(probe grid)
  check "grid client area" "${grid_width}x$grid_height" "564x530"
  wait_until title_shown && check "window titled Zelvorn" yes yes || check "window titled Zelvorn" no yes
  check "progress before a run" "$(strip_text Static 2)" "0"
  check "time box before a run" "$(time_box)" "00:00:00"
  check "size chooser" "$(strip_text ComboBox 1)" "5×5"
  read -r button_x button_y < <(probe button)
  mapfile -t boards < <(probe board 5 9)

  click_button
  # Cell of 2 first: wrong, it sounds.
  read -r col row <<<"${boards[1]}"
  local sounds_before
  sounds_before=$(grep -c 'snd\.wav' "$trace" || true)
  click_cell "$col" "$row" 111 104
  wait_until sound_plays "$sounds_before" && check "wrong click sounds" yes yes ||
    check "wrong click sounds" no yes
  printf '%s\n' "${boards[@]:0:25}" | click_in_order 111 104
  local result
  result=$(probe box info)
  check_match "5×5 result" "$result" '^成功通过训练，你在[0-9]+秒钟完成任务。本次成绩为：优秀$'
  check "progress after the run" "$(strip_text Static 2)" "25"
  # The box leaves the main window working: ticks go on, a click is judged (wrong: it sounds).
  local shown
  shown=$(time_box)
  wait_until time_box_moves_from "$shown" && check "ticks while the box is up" yes yes ||
    check "ticks while the box is up" no yes
  sounds_before=$(grep -c 'snd\.wav' "$trace" || true)
  click_cell 0 0 111 104
  wait_until sound_plays "$sounds_before" && check "clicks while the box is up" yes yes ||
    check "clicks while the box is up" no yes
  probe dismiss info
  wait_until time_box_is 00:00:00 && check "time box reset after the run" yes yes ||
    check "time box reset after the run" no yes

  # Typing 9 completes to 9×9.
  read -r combo_x combo_y < <(probe combo)
  xdotool mousemove "$combo_x" "$combo_y" click 1
  xdotool key End shift+Home BackSpace type 9
  check "typed 9 completes" "$(strip_text ComboBox 1)" "9×9"
  click_button
  printf '%s\n' "${boards[@]:25:81}" | click_in_order 62 58
  result=$(probe box info)
  check_match "9×9 result" "$result" '^成功通过训练，你在[0-9]+秒钟完成任务。本次成绩为：(优秀|良好)$'
  check "progress after the 9×9 run" "$(strip_text Static 2)" "81"
  probe dismiss info

  probe close
  wait_exit
  check "exit code after closing" "$exit_code" 0
}

errors() {
  start "$failing" click
  read -r button_x button_y < <(probe button)
  for attempt in 1 2; do
    click_button
    check "error box $attempt" "$(probe box Failing_app)" "'x' 不是一个有效的整形值."
    probe dismiss Failing_app
    wait_until probe no-box Failing_app
  done
  probe close
  wait_exit
  check "exit code after an error" "$exit_code" 0

  start "$failing" create
  check_match "start-up failure box" "$(probe box startup)" \
    '^异常 EOutOfResources 发生在模块 failing_app\.exe 中的 [0-9A-F]+ 位置\.'
  probe dismiss startup
  wait_exit
  check "exit code after a start-up failure" "$exit_code" 1
}

"$scenario"
[[ $failures -eq 0 ]] && echo "$scenario passed"
exit $failures
