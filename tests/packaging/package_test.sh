#!/usr/bin/env bash
# Checks the Debian package's relations and the files it installs, checks that apt could install
# it here, then unpacks it into a temporary root and runs the unpacked bin/zelvorn on a virtual X
# display: its window appears, a wrong click on the started board looks up snd.wav beside the
# real executable and finds it, and closing the window ends the program with exit code 0.
#
# Usage: package_test.sh <package file> <wm_delete_window executable>
set -euo pipefail

if [[ "${1:-}" != --inner ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inner "$@"
fi
deb=$2
closer=$3
source "$(dirname "$0")/../app/qt/x11_session.sh"

work=$(mktemp -d)
pid=""
app_pid=""
cleanup() {
  for process in $app_pid $pid; do kill "$process" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# dpkg-shlibdeps' libraries, and what the program loads at run time.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libc6 libqt6core6 libqt6widgets6 libqt6multimedia6 qt6-qpa-plugins \
               fonts-dejavu-extra qt6-translations-l10n; do
  grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || check "$package in Depends" no yes
done
check Recommends "$(dpkg-deb -f "$deb" Recommends)" "fonts-noto-cjk, qt6-wayland"

check "installed files" "$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { $1 = $2 = $3 = $4 = $5 = ""; print }' |
  sed 's/^ *//' | LC_ALL=C sort)" "$(cat <<'FILES'
./usr/bin/zelvorn -> ../lib/zelvorn/zelvorn
./usr/lib/zelvorn/libzelvorn_wave.so
./usr/lib/zelvorn/snd.wav
./usr/lib/zelvorn/zelvorn
./usr/share/applications/io.github.zelvorn.Zelvorn.desktop
./usr/share/doc/zelvorn/OFL.txt
./usr/share/doc/zelvorn/changelog.gz
./usr/share/doc/zelvorn/copyright
./usr/share/icons/hicolor/128x128/apps/io.github.zelvorn.Zelvorn.png
./usr/share/icons/hicolor/16x16/apps/io.github.zelvorn.Zelvorn.png
./usr/share/icons/hicolor/24x24/apps/io.github.zelvorn.Zelvorn.png
./usr/share/icons/hicolor/256x256/apps/io.github.zelvorn.Zelvorn.png
./usr/share/icons/hicolor/32x32/apps/io.github.zelvorn.Zelvorn.png
./usr/share/icons/hicolor/48x48/apps/io.github.zelvorn.Zelvorn.png
./usr/share/icons/hicolor/64x64/apps/io.github.zelvorn.Zelvorn.png
./usr/share/man/man1/zelvorn.1.gz
./usr/share/man/zh_CN/man1/zelvorn.1.gz
./usr/share/metainfo/io.github.zelvorn.Zelvorn.metainfo.xml
FILES
)"

# Every dependency can be met on this system.
apt-get install --simulate --no-install-recommends "$deb" >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; check "apt-get install --simulate" failed succeeded; }

root=$work/root
dpkg-deb -x "$deb" "$root"
private=$root/usr/lib/zelvorn
export QT_QPA_PLATFORM=xcb
# Without a session bus libdbus starts one for the program (dbus-launch, when installed), which
# outlives it; strace -f follows it too and would not end when the program does.
export DBUS_SESSION_BUS_ADDRESS=disabled:
strace -f -qq -e trace=%file -o "$work/files.log" "$root/usr/bin/zelvorn" &
pid=$!
window=$(wait_for_main_window)
app_pid=$(xdotool getwindowpid "$window")
check "running executable" "$(readlink "/proc/$app_pid/exe")" "$private/zelvorn"
sleep 1  # the audio module loads once the window is on the screen
successful() { grep -F "\"$1\"" "$work/files.log" | grep -Ec ' = [0-9]+$' || true; }
[[ $(successful "$private/libzelvorn_wave.so") -gt 0 ]] ||
  check "audio module $private/libzelvorn_wave.so loaded" no yes

sound_lookups=$(successful "$private/snd.wav")
xdotool mousemove --window "$window" 346 33 click 1  # 开始训练
sleep 0.5
# The same cell twice: whatever its number, at least one of the two clicks is wrong.
xdotool mousemove --window "$window" 57 124 click 1
sleep 0.7
xdotool click 1
sleep 1
[[ $(successful "$private/snd.wav") -gt $sound_lookups ]] ||
  check "a wrong click found $private/snd.wav" no yes

close_and_expect_exit_zero "$closer" "$window" "$pid"
pid=""
app_pid=""
[[ $failures -eq 0 ]] && echo "package test passed"
exit $failures
