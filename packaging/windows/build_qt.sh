#!/usr/bin/env bash
# Builds, once, the static Qt for 64-bit Windows that quorbel.exe links, from Debian's own
# qtbase source package, and installs it into a cache outside the repository. Later runs
# find the finished prefix and return at once.
#   build_qt.sh <cache folder>     (e.g. ~/.cache/quorbel)
set -euo pipefail

cache=$1
qt_version=5.15.8
prefix=$cache/qt-$qt_version-win64-static
src=$cache/src/qtbase-$qt_version
build=$cache/build/qtbase-$qt_version-win64
stamp=$prefix/.quorbel-complete

if [ -f "$stamp" ]; then
    echo "Static Qt for Windows: reusing $prefix"
    exit 0
fi

mkdir -p "$cache/src"
if [ ! -f "$src/configure" ]; then
    # apt-get source also applies Debian's patches, so this is the Qt Debian ships.
    (cd "$cache/src" && rm -rf qtbase-opensource-src-* &&
        apt-get source -qq qtbase-opensource-src &&
        mv qtbase-opensource-src-$qt_version* "$src")
fi

started=$(date +%s)
# Configuring takes a good part of the time; an interrupted build resumes after it.
if [ ! -f "$build/.configured" ]; then
    rm -rf "$build" "$prefix"
    mkdir -p "$build"
    cd "$build"
    # Only what Quorbel uses. The Debian source lacks the wintab and iaccessible2 folders,
    # so tablet events are off; accessibility stays on for screen readers.
    "$src/configure" -xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32- \
        -platform linux-g++ -prefix "$prefix" -opensource -confirm-license -release \
        -static -static-runtime -nomake examples -nomake tests \
        -no-opengl -no-dbus -no-icu -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz \
        -no-feature-sql -no-feature-network -no-feature-tabletevent
    make sub-src-qmake_all
    touch .configured
fi
cd "$build"

jobs=$(nproc 2>/dev/null || echo 2)
# Qt Core and the host tools first: enough for quorbel-sort and the core tests.
make -C src -j "$jobs" sub-corelib sub-testlib sub-winmain sub-moc sub-rcc sub-uic
make -C src -j "$jobs" sub-gui sub-widgets sub-platformsupport
make -C src/plugins/platforms/windows -j "$jobs"
make -C src/plugins/styles/windowsvista -j "$jobs"

for dir in src/tools/bootstrap src/tools/moc src/tools/rcc src/tools/uic src/3rdparty/pcre2 \
    src/3rdparty/libpng src/3rdparty/freetype src/3rdparty/harfbuzz-ng src/3rdparty/libjpeg \
    src/corelib src/gui src/widgets src/testlib src/platformsupport src/winmain \
    src/plugins/platforms/windows src/plugins/styles/windowsvista; do
    if [ -f "$dir/Makefile" ]; then make -C "$dir" install; fi
done
# Qt's CMake package files read these at configure time of every project that uses Qt.
mkdir -p "$prefix/mkspecs"
cp -r "$src/mkspecs/win32-g++" "$src/mkspecs/common" "$prefix/mkspecs/"
cp mkspecs/qconfig.pri mkspecs/qmodule.pri "$prefix/mkspecs/"
if [ -f mkspecs/qdevice.pri ]; then cp mkspecs/qdevice.pri "$prefix/mkspecs/"; fi
install -D bin/qmake "$prefix/bin/qmake"

echo "built $(date -u '+%F %H:%M UTC'); this last step took $(($(date +%s) - started)) s" >"$stamp"
echo "Static Qt for Windows built in $(($(date +%s) - started)) s into $prefix"
