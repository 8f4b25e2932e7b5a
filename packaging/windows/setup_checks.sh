#!/usr/bin/env bash
# The setup program under Wine, as a user without administrator rights would meet it:
#   - a silent install (/S) into %LOCALAPPDATA%\Programs\Quorbel, with the Start-menu entry, no
#     desktop shortcut (not ticked), "Open with" for .txt, and the entry in Windows' app list with
#     its icon, version and publisher;
#   - the installed quorbel.exe starts, saves its fields in %APPDATA%\Quorbel (a field template
#     applied by keyboard) and nothing beside itself; quorbel-sort.exe reads the same file;
#   - quorbel.exe with a file's path, as "Open with" and a drop on the exe start it, shows the import
#     preview for that file;
#   - the setup run again upgrades in place; the uninstaller removes the program, its shortcut and its
#     registry keys, and leaves the fields.
#   setup_checks.sh <setup.exe>
set -euo pipefail
setup=$(realpath "$1")
root=$(cd "$(dirname "$0")/../.." && pwd)
cache=${QUORBEL_WIN64_CACHE:-$HOME/.cache/quorbel}
export WINEPREFIX=${WINEPREFIX:-$cache/wine} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
version=$(sed -n 's/^project(Quorbel VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")

failures=0
pass() { echo "PASS $*"; }
fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}

# A Windows folder variable as a Linux path.
folder() { winepath -u "$(wine cmd /c "echo %$1%" 2>/dev/null | tr -d '\r')"; }
programs=$(folder LOCALAPPDATA)/Programs/Quorbel
user_data=$(folder APPDATA)/Quorbel
start_menu="$(folder APPDATA)/Microsoft/Windows/Start Menu/Programs/Quorbel.lnk"
desktop_link="$(folder USERPROFILE)/Desktop/Quorbel.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorbel'
value() { wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z]* *//p"; }
# The uninstaller copies itself away and returns at once; wineserver -w waits for the copy too.
uninstall() {
    wine "$programs/uninstall.exe" /S
    wineserver -w
}

# A clean start: no earlier install, no fields.
if [ -f "$programs/uninstall.exe" ]; then uninstall; fi
rm -rf "$programs" "$user_data"

wine "$setup" /S
wineserver -w
missing=
for f in quorbel.exe quorbel-sort.exe README.txt LICENSE.txt uninstall.exe; do
    [ -f "$programs/$f" ] || missing="$missing $f"
done
if [ -z "$missing" ] && [ -f "$start_menu" ] && [ ! -e "$desktop_link" ]; then
    pass "silent install into %LOCALAPPDATA%\\Programs\\Quorbel with its Start-menu entry"
else
    fail "silent install: missing${missing:- nothing} in $programs, Start menu $([ -f "$start_menu" ] && echo yes || echo no)"
fi
if [ "$(value DisplayVersion)" = "$version" ] && [ "$(value Publisher)" = "The Quorbel developers" ] &&
    [[ "$(value DisplayIcon)" == *'\quorbel.exe,0' ]] && [[ "$(value UninstallString)" == *'\uninstall.exe"' ]]; then
    pass "Windows' app list: Quorbel $version by $(value Publisher), with its icon and uninstaller"
else
    fail "the app list entry: version '$(value DisplayVersion)', icon '$(value DisplayIcon)'"
fi
open_with=$(wine reg query 'HKCU\Software\Classes\Applications\quorbel.exe\shell\open\command' /ve 2>/dev/null | tr -d '\r')
if [[ "$open_with" == *'quorbel.exe" "%1"'* ]]; then
    pass "\"Open with\" for text files starts quorbel.exe with the file"
else
    fail "\"Open with\" is not registered: $open_with"
fi

# --- the installed program on a virtual X screen ---------------------------------------------------
display=
for n in $(seq 140 180); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
        display=:$n
        break
    fi
done
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'wineserver -k 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 2

# run_installed [FILE]: starts the installed quorbel.exe, waits for its window (and for the preview
# when FILE is given); without FILE applies the first field template from the 文件 menu by keyboard.
run_installed() {
    local window= found=
    (cd "$programs" && exec wine ./quorbel.exe "$@") >/dev/null 2>&1 &
    local pid=$!
    for _ in $(seq 120); do
        window=$(xdotool search --name '^Quorbel$' 2>/dev/null | head -n 1)
        if [ -n "$window" ] && { [ $# -eq 0 ] || xdotool search --name '^批量添加$' >/dev/null 2>&1; }; then
            found=yes
            break
        fi
        sleep 0.5
    done
    if [ -n "$found" ] && [ $# -eq 0 ]; then
        sleep 2
        xdotool windowfocus "$window" 2>/dev/null || true
        xdotool key --delay 500 alt Down Down Down Right Return
        sleep 2
    fi
    wine taskkill /f /im quorbel.exe >/dev/null 2>&1 || true
    wait "$pid" 2>/dev/null || true
    [ -n "$found" ]
}

if run_installed && [ -s "$user_data/fields.txt" ] && [ ! -e "$programs/data" ]; then
    pass "the installed quorbel.exe started and saved its fields in %APPDATA%\\Quorbel, nothing beside itself"
else
    fail "the installed quorbel.exe: fields in %APPDATA%\\Quorbel $([ -s "$user_data/fields.txt" ] && echo yes || echo no), data\\ beside it $([ -e "$programs/data" ] && echo yes || echo no)"
fi
header=$(cd "$programs" && wine ./quorbel-sort.exe --header </dev/null | tr -d '\r')
if [ "${header%%$'\t'*}" = 姓名 ]; then
    pass "the installed quorbel-sort.exe read %APPDATA%\\Quorbel\\fields.txt: $(tr '\t' ' ' <<<"$header")"
else
    fail "the installed quorbel-sort.exe read the field names as: $header"
fi
fields_before=$(md5sum <"$user_data/fields.txt" 2>/dev/null || true)

# A list in a folder with Chinese characters and a space, named on the command line.
list_dir="$WINEPREFIX/drive_c/用户/张 三"
mkdir -p "$list_dir"
printf '李四 13900001111\r\n王五 13700002222\r\n' >"$list_dir/名单.txt"
if run_installed 'C:\用户\张 三\名单.txt'; then
    pass "quorbel.exe C:\\用户\\张 三\\名单.txt opened the import preview for the file"
else
    fail "quorbel.exe with a file's path: no import preview"
fi

# --- upgrade in place, then uninstall ------------------------------------------------------------------
wine "$setup" /S
wineserver -w
entries=$(wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' 2>/dev/null | tr -d '\r' | grep -c '\\Quorbel$' || true)
if [ -f "$programs/quorbel.exe" ] && [ "$entries" = 1 ] && [ "$(md5sum <"$user_data/fields.txt")" = "$fields_before" ]; then
    pass "the setup run again upgraded in place: one entry in the app list, the fields untouched"
else
    fail "upgrade: $entries app list entries, program $([ -f "$programs/quorbel.exe" ] && echo there || echo gone)"
fi

uninstall
if [ ! -e "$programs" ] && [ ! -e "$start_menu" ] && ! wine reg query "$key" >/dev/null 2>&1 &&
    ! wine reg query 'HKCU\Software\Classes\Applications\quorbel.exe' >/dev/null 2>&1 &&
    [ "$(md5sum <"$user_data/fields.txt")" = "$fields_before" ]; then
    pass "the uninstaller removed the program, its Start-menu entry and registry keys, and left the fields"
else
    fail "uninstall left: $(ls "$programs" 2>/dev/null | tr '\n' ' ')$([ -e "$start_menu" ] && echo ' Start-menu entry')"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures setup program check(s) failed" >&2
    exit 1
fi
echo "All setup program checks passed"
