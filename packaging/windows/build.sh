#!/usr/bin/env bash
# The Windows build, run by `./setup.sh windows` once the packages are in place:
#   1. the static Qt and libxlsxwriter for 64-bit Windows, built once into the cache;
#   2. quorbel.exe, quorbel-sort.exe and the Windows tests, cross-built in build-win64/;
#   3. the Linux quorbel-sort and its sample records in build/, as the reference;
#   4. the checks under Wine (wine_checks.sh);
#   5. dist/Quorbel-<version>-win64.zip and dist/Quorbel-<version>-setup.exe (package.sh);
#   6. the setup program installed, run, upgraded and uninstalled under Wine (setup_checks.sh).
# The cache defaults to ~/.cache/quorbel; QUORBEL_WIN64_CACHE moves it.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
here=$root/packaging/windows
cache=${QUORBEL_WIN64_CACHE:-$HOME/.cache/quorbel}
jobs=$(nproc 2>/dev/null || echo 2)
started=$(date +%s)
cd "$root"
mkdir -p "$cache/logs"

step() { echo "== $* ($(($(date +%s) - started)) s)"; }

# Long, quiet steps keep their output in a log and show its end when they fail.
logged() {
    local log=$cache/logs/$1
    shift
    if ! "$@" >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        echo "failed; the whole output is in $log" >&2
        return 1
    fi
}

step "static Qt 5.15.8 for Windows (the first build takes long; log: $cache/logs/qt-build.log)"
logged qt-build.log nice -n 5 "$here/build_qt.sh" "$cache"
tail -n 1 "$cache/logs/qt-build.log"

export WINEPREFIX=$cache/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    step "Wine prefix in $WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
fi

step "static libxlsxwriter for Windows"
logged xlsxwriter-build.log nice -n 5 "$here/build_xlsxwriter.sh" "$cache"
tail -n 1 "$cache/logs/xlsxwriter-build.log"

windows_targets=(quorbel quorbel-sort tst_record_commands tst_field_storage tst_menu_actions)
for dir in tests/core/tst_*.cpp; do
    name=$(basename "$dir" .cpp)
    windows_targets+=("$name")
done

step "cross build in build-win64/"
cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64-x86_64.cmake" \
    -DQUORBEL_WIN64_CACHE="$cache" -DCMAKE_BUILD_TYPE=Release -DQUORBEL_BUILD_BENCH=OFF >/dev/null
nice -n 5 cmake --build build-win64 -j "$jobs" --target "${windows_targets[@]}"

step "Linux reference build in build/"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice -n 5 cmake --build build -j "$jobs" --target quorbel-sort bench_engine

step "checks under Wine"
"$here/wine_checks.sh" "$root/build-win64" "$root/build"

step "zip and setup program"
"$here/package.sh" "$root/build-win64" "$root/dist"

step "setup program under Wine"
version=$(sed -n 's/^project(Quorbel VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
"$here/setup_checks.sh" "$root/dist/Quorbel-$version-setup.exe"
step "done"
