#!/usr/bin/env bash
# The Debian package, run by `./setup.sh deb` once the packages are in place:
#   1. build-deb/: Release, laid out for /usr, without the tests and benchmarks;
#   2. CPack (packaging/debian/debian_package.cmake) writes dist/quorbel_<version>_<arch>.deb.
# packaging/debian/deb_check.sh then installs it with apt, starts it and removes it again.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DQUORBEL_BUILD_TESTS=OFF -DQUORBEL_BUILD_BENCH=OFF >/dev/null
cmake --build build-deb -j "$jobs" --target quorbel quorbel-sort
rm -f build-deb/quorbel_*.deb
(cd build-deb && cpack -G DEB >/dev/null)
mkdir -p dist
deb=$(ls build-deb/quorbel_*.deb)
cp "$deb" dist/
deb=dist/$(basename "$deb")
echo "$deb: $(du -k "$deb" | cut -f1) KiB"
dpkg-deb -f "$deb" Package Version Architecture Depends Recommends
echo "To install, start and remove it as a check (as root): packaging/debian/deb_check.sh $deb"
