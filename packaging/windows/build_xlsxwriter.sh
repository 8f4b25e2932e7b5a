#!/usr/bin/env bash
# Builds, once, a static libxlsxwriter for 64-bit Windows from Debian's source package, with its
# bundled minizip and Debian's MinGW zlib, into the same cache as the static Qt, then proves it by
# linking and running a small check through the project's toolchain file.
#   build_xlsxwriter.sh <cache folder>
set -euo pipefail

cache=$1
here=$(cd "$(dirname "$0")" && pwd)
version=1.1.4
prefix=$cache/libxlsxwriter-$version-win64-static
src=$cache/src/libxlsxwriter-$version
build=$cache/build/libxlsxwriter-$version-win64
toolchain=$here/mingw-w64-x86_64.cmake

if [ ! -f "$prefix/lib/libxlsxwriter.a" ]; then
    mkdir -p "$cache/src"
    if [ ! -f "$src/CMakeLists.txt" ]; then
        (cd "$cache/src" && rm -rf libxlsxwriter-*/ && apt-get source -qq libxlsxwriter)
    fi
    rm -rf "$build"
    cmake -S "$src" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQUORBEL_WIN64_CACHE="$cache" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DUSE_SYSTEM_MINIZIP=OFF \
        -DCMAKE_INSTALL_PREFIX="$prefix"
    cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)"
    cmake --install "$build"
fi

# The check finds the library the way Quorbel's build does, writes a workbook under Wine and
# looks inside it.
check=$cache/build/xlsxwriter-check
rm -rf "$check"
cmake -S "$here/xlsxwriter_check" -B "$check" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQUORBEL_WIN64_CACHE="$cache" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$check" >/dev/null
(cd "$check" && wine ./xlsxwriter_check.exe check.xlsx)
unzip -p "$check/check.xlsx" xl/sharedStrings.xml | grep -q '姓名' || {
    echo "libxlsxwriter check: the workbook lacks its text" >&2
    exit 1
}
imports=$(x86_64-w64-mingw32-objdump -p "$check/xlsxwriter_check.exe" | grep 'DLL Name')
if grep -qiv 'kernel32\|msvcrt' <<<"$imports"; then
    echo "libxlsxwriter check: needs DLLs beyond the system's: $imports" >&2
    exit 1
fi
echo "libxlsxwriter for Windows: static library linked and a workbook written under Wine"
