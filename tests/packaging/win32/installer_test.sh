#!/usr/bin/env bash
# Installs Zelvorn with its installer's silent mode into the Wine prefix of the caller's
# WINEPREFIX, as a user's Windows would get it, and checks what it leaves: the delivered files in
# Program Files, the Start-menu entry that starts the program, and the entry in the list of
# installed programs. Then the uninstaller, silent too, must take all of it away again.
#
# Usage: installer_test.sh <zelvorn-<version>-setup.exe> <folder of the delivered files> <version>
set -euo pipefail
installer=$1
stage=$2
version=$3

folder="$WINEPREFIX/drive_c/Program Files/Zelvorn"
link="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zelvorn.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelvorn'
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# One value of the uninstall entry, or nothing when it is not there.
registry_value() {
  wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}

# What an earlier, interrupted run may have left.
rm -rf "$folder" "$link"
wine reg delete "$key" /f >/dev/null 2>&1 || true

wine "$installer" /S || fail "the installer ended with exit code $?"

installed=$(cd "$folder" 2>/dev/null && ls | LC_ALL=C sort | tr '\n' ' ')
[[ "$installed" == "LICENSE.txt OFL.txt snd.wav uninstall.exe zelvorn.exe " ]] ||
  fail "Program Files/Zelvorn holds '$installed'"
for file in zelvorn.exe snd.wav LICENSE.txt OFL.txt; do
  cmp -s "$stage/$file" "$folder/$file" || fail "$file is not the delivered one"
done
# The shell link names its target in full, in the machine's code page.
[[ -f "$link" ]] || fail "no Start-menu entry Zelvorn.lnk"
grep -aqF 'C:\Program Files\Zelvorn\zelvorn.exe' "$link" 2>/dev/null ||
  fail "Zelvorn.lnk does not start C:\\Program Files\\Zelvorn\\zelvorn.exe"
for check in "DisplayName=Zelvorn" "DisplayVersion=$version" \
             'UninstallString="C:\Program Files\Zelvorn\uninstall.exe"' \
             'InstallLocation=C:\Program Files\Zelvorn'; do
  name=${check%%=*}
  value=$(registry_value "$name")
  [[ "$value" == "${check#*=}" ]] || fail "the uninstall entry's $name is '$value'"
done

# The uninstaller runs from a copy of itself, so that it can delete its own file: the command
# returns before the work is done.
wine "$folder/uninstall.exe" /S || fail "the uninstaller ended with exit code $?"
for _ in $(seq 100); do
  [[ -e "$folder" ]] || break
  sleep 0.2
done
[[ ! -e "$folder" ]] || fail "after uninstalling, Program Files/Zelvorn holds: $(ls "$folder")"
[[ ! -e "$link" ]] || fail "after uninstalling, the Start-menu entry is still there"
if wine reg query "$key" >/dev/null 2>&1; then
  fail "after uninstalling, the uninstall entry is still there"
fi

if [[ $failures -gt 0 ]]; then exit 1; fi
echo "installed, checked and uninstalled"
