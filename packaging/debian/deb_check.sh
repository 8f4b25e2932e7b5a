#!/usr/bin/env bash
# Installs the Debian package with apt, as a user would, and checks it; then removes it again.
#   deb_check.sh dist/quorbel_<version>_<arch>.deb      (as root; needs xvfb, xauth and xdotool)
# Checked: the files and the package's fields; the window and quorbel-sort keep their data in
# ~/.local/share/Quorbel/ of a fresh home and make nothing beside /usr/bin; `quorbel FILE` opens the
# import preview; `apt-get remove` leaves none of the package's files, and the user's data in place.
set -euo pipefail
deb=$(realpath "$1")
failures=0
pass() { echo "PASS $*"; }
fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}

if dpkg-query -W -f='${Status}' quorbel 2>/dev/null | grep -q 'install ok installed'; then
    echo "quorbel is installed already; remove it first (apt-get remove quorbel)" >&2
    exit 2
fi
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$deb" >/dev/null
pass "apt-get install $deb"

files=$(dpkg -L quorbel)
for f in /usr/bin/quorbel /usr/bin/quorbel-sort /usr/share/applications/quorbel.desktop \
    /usr/share/icons/hicolor/48x48/apps/quorbel.png /usr/share/icons/hicolor/scalable/apps/quorbel.svg \
    /usr/share/doc/quorbel/copyright; do
    grep -qx "$f" <<<"$files" && [ -e "$f" ] || fail "$f is not installed"
done
depends=$(dpkg-query -W -f='${Depends}' quorbel)
description=$(dpkg-query -W -f='${Description}' quorbel)
if grep -q libqt5widgets5 <<<"$depends" && grep -q libxlsxwriter <<<"$depends" &&
    grep -q '整理成表格' <<<"$description" && grep -q 'personal details' <<<"$description"; then
    pass "files in /usr/bin and /usr/share; Depends: $depends; description in Chinese and English"
else
    fail "package fields: Depends '$depends'"
fi
if grep -q '^Exec=quorbel %f$' /usr/share/applications/quorbel.desktop &&
    grep -q '^MimeType=text/plain;$' /usr/share/applications/quorbel.desktop; then
    pass "the menu entry opens text files with quorbel %f"
else
    fail "the menu entry does not declare text/plain with %f"
fi

# A fresh home. The window, on a virtual screen, applies the first field template by keyboard
# (文件 → 字段模板 → 学生信息), which saves the field file; quorbel-sort then reads that file; and
# `quorbel FILE` opens the window with the import preview (批量添加) for the file.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
data=$home/.local/share/Quorbel
printf '李四 13900001111\r\n王五 13700002222\r\n' >"$home/名单.txt"
cat >"$home/run-window.sh" <<'SCRIPT'
#!/bin/sh
# run-window.sh [FILE]: starts quorbel, waits for its window (and the preview when FILE is given),
# applies the first field template when no FILE is given, then ends it.
quorbel "$@" >>"$HOME/quorbel.log" 2>&1 &
pid=$!
found=
for _ in $(seq 60); do
    window=$(xdotool search --name '^Quorbel$' 2>/dev/null | head -n 1)
    if [ -n "$window" ] && { [ $# -eq 0 ] || xdotool search --name '^批量添加$' >/dev/null 2>&1; }; then
        found=yes
        break
    fi
    sleep 0.5
done
if [ -n "$found" ] && [ $# -eq 0 ]; then
    sleep 1
    xdotool windowfocus "$window"
    sleep 0.5
    xdotool key --delay 300 alt Down Down Down Right Return
    sleep 1
fi
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
[ -n "$found" ]
SCRIPT
chmod +x "$home/run-window.sh"
as_user() { env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" "$@"; }
on_screen() { as_user QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1280x800x24 -nolisten tcp' "$home/run-window.sh" "$@"; }

if on_screen && [ -s "$data/fields.txt" ] && [ ! -e /usr/bin/data ]; then
    pass "quorbel started and saved its fields in ~/.local/share/Quorbel/, nothing beside /usr/bin"
else
    fail "quorbel did not save ~/.local/share/Quorbel/fields.txt, or made /usr/bin/data: $(tail -n 3 "$home/quorbel.log")"
fi
header=$(cd / && as_user quorbel-sort --header </dev/null)
if [ "${header%%$'\t'*}" = 姓名 ] && [ "$(printf '%s' "$header" | tr '\t' '\n' | wc -l)" -ge 2 ]; then
    pass "quorbel-sort read the same ~/.local/share/Quorbel/fields.txt: $(tr '\t' ' ' <<<"$header")"
else
    fail "quorbel-sort read the field names as: $header"
fi
if on_screen "$home/名单.txt"; then
    pass "quorbel FILE opened the window and the import preview (批量添加) for the file"
else
    fail "the window or the preview did not appear: $(tail -n 3 "$home/quorbel.log")"
fi

apt-get remove -y -qq quorbel >/dev/null
left=
for f in $files; do
    [ -f "$f" ] && left="$left $f"
done
if [ -z "$left" ] && ! dpkg-query -W -f='${Status}' quorbel 2>/dev/null | grep -q 'install ok installed' &&
    [ -f "$data/fields.txt" ]; then
    pass "apt-get remove took every file of the package and left the user's data"
else
    fail "after apt-get remove: files left:${left:- none}; the package or the user data may be wrong"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures Debian package check(s) failed" >&2
    exit 1
fi
echo "All Debian package checks passed"
