#!/usr/bin/env bash
# Puts the two executables, the licence and the Chinese and English read-me into
# <dist>/Quorbel-<version>-win64.zip, under one folder so unzipping makes no mess, and the same files
# into the setup program <dist>/Quorbel-<version>-setup.exe (setup.nsi, Debian's nsis).
#   package.sh <cross build folder> <dist folder>
set -euo pipefail
win=$(cd "$1" && pwd)
mkdir -p "$2"
dist=$(cd "$2" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
version=$(sed -n 's/^project(Quorbel VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name=Quorbel-$version-win64
stage=$win/package/Quorbel
rm -rf "$win/package"
mkdir -p "$stage"

for exe in app/quorbel.exe cli/quorbel-sort.exe; do
    x86_64-w64-mingw32-strip -o "$stage/$(basename "$exe")" "$win/$exe"
    # Only system DLLs: nothing of MinGW or Qt beside the executable.
    extra=$(x86_64-w64-mingw32-objdump -p "$stage/$(basename "$exe")" | sed -n 's/.*DLL Name: //p' |
        grep -viE '^(kernel32|user32|gdi32|comdlg32|advapi32|shell32|ole32|oleaut32|uuid|winmm|imm32|ws2_32|version|netapi32|userenv|uxtheme|dwmapi|wtsapi32|shlwapi|mpr|msvcrt|winspool)\.dll$' || true)
    if [ -n "$extra" ]; then
        echo "$exe needs DLLs that Windows does not have: $extra" >&2
        exit 1
    fi
done
# Notepad wants CR LF; the byte-order mark makes older versions read the Chinese as UTF-8.
text_for_notepad() { printf '\xEF\xBB\xBF'; sed 's/$/\r/' "$1"; }
sed "s/@VERSION@/$version/" "$root/packaging/windows/README.txt" >"$win/package/README.txt"
text_for_notepad "$win/package/README.txt" >"$stage/README.txt"
text_for_notepad "$root/LICENSE" >"$stage/LICENSE.txt"

rm -f "$dist/$name.zip"
(cd "$win/package" && zip -q -X -r "$dist/$name.zip" Quorbel)
echo "$dist/$name.zip: $(du -k "$dist/$name.zip" | cut -f1) KiB"

setup=$dist/Quorbel-$version-setup.exe
rm -f "$setup"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" -DICON="$root/app/icons/quorbel.ico" \
    -DOUTFILE="$setup" "$root/packaging/windows/setup.nsi"
echo "$setup: $(du -k "$setup" | cut -f1) KiB"
