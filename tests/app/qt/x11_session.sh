# Pieces the X11 tests share, sourced by them inside xvfb-run: find the program's main window,
# close it as a window manager's close button would, and see how the program ended.

failures=0

# check <what> <actual> <expected>: counts a failure when they differ.
check() {
  if [[ "$2" != "$3" ]]; then
    echo "FAIL: $1 is $2, expected $3"
    failures=$((failures + 1))
  fi
}

# Waits up to 10 s for a visible window titled Zelvorn and prints its id.
wait_for_main_window() {
  local window=""
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Zelvorn$' 2>/dev/null | head -n 1 || true)
    [[ -n "$window" ]] && break
    sleep 0.1
  done
  [[ -n "$window" ]] || { echo "FAIL: no window titled Zelvorn appeared" >&2; return 1; }
  echo "$window"
}

# close_and_expect_exit_zero <wm_delete_window executable> <window> <pid>: sends the window the
# close request and expects the program to end within 10 s with exit code 0.
close_and_expect_exit_zero() {
  "$1" "$2"
  for _ in $(seq 100); do
    kill -0 "$3" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$3" 2>/dev/null; then
    echo "FAIL: the program is still running after its window was closed"
    return 1
  fi
  local status=0
  wait "$3" || status=$?
  check "exit code" "$status" 0
}
