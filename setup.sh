#!/usr/bin/env bash
# One-step set-up on Debian 12:
#   ./setup.sh run    install what is missing, build in Release, start Quorbel
#   ./setup.sh test   install what is missing, build, run the whole test suite through CTest
#   ./setup.sh sanitize   the same in build-asan/, built with AddressSanitizer and UndefinedBehaviorSanitizer
#   ./setup.sh windows  cross-build for 64-bit Windows, check it under Wine, write dist/*.zip and
#                       dist/*-setup.exe (see packaging/windows/build.sh)
#   ./setup.sh deb      build dist/quorbel_<version>_<arch>.deb (see packaging/debian/build.sh);
#                       packaging/debian/deb_check.sh installs, checks and removes it
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
case "$mode" in
run) packages=(g++ cmake make python3-jieba qtbase5-dev libxcb1-dev qttranslations5-l10n libxlsxwriter-dev fonts-wqy-microhei) ;;
test | sanitize) packages=(g++ cmake make python3-jieba qtbase5-dev libxcb1-dev qttranslations5-l10n libxlsxwriter-dev python3-openpyxl xvfb xauth xclip) ;;
windows)
    packages=(g++ cmake make python3-jieba qtbase5-dev libxcb1-dev qttranslations5-l10n libxlsxwriter-dev g++-mingw-w64-x86-64-posix libz-mingw-w64-dev dpkg-dev
        wine wine64 fonts-wine xvfb xauth xdotool imagemagick fonts-wqy-microhei zip unzip icoutils xclip nsis)
    ;;
deb) packages=(g++ cmake make python3-jieba qtbase5-dev libxcb1-dev qttranslations5-l10n libxlsxwriter-dev dpkg-dev file xvfb xauth xdotool) ;;
*)
    echo "usage: $0 run|test|sanitize|windows|deb" >&2
    exit 2
    ;;
esac

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

# Ask apt only for what is not installed yet, so a second run is quick.
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# Qt for Windows is built from Debian's own source package, which apt finds through a deb-src entry.
deb_src=/etc/apt/sources.list.d/quorbel-deb-src.sources
if [ "$mode" = windows ] && ! grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    echo "Adding $deb_src so that apt can fetch Debian's qtbase and libxlsxwriter sources"
    suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s %s-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
        "$suite" "$suite" | "${sudo_cmd[@]}" tee "$deb_src" >/dev/null
    missing+=(dpkg-dev) # also forces the update below
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)
if [ "$mode" = windows ]; then
    exec packaging/windows/build.sh
elif [ "$mode" = deb ]; then
    exec packaging/debian/build.sh
elif [ "$mode" = run ]; then
    cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DQUORBEL_BUILD_TESTS=OFF -DQUORBEL_BUILD_BENCH=OFF
    cmake --build build-release -j "$jobs" --target quorbel
    exec ./build-release/app/quorbel
elif [ "$mode" = sanitize ]; then
    cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORBEL_SANITIZE=ON -DQUORBEL_BUILD_BENCH=OFF
    cmake --build build-asan -j "$jobs"
    cd build-asan && ctest --output-on-failure --no-tests=error -j "$jobs"
else
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build -j "$jobs"
    cd build && ctest --output-on-failure --no-tests=error -j "$jobs"
fi
