#!/usr/bin/env bash
# Builds the Debian package in build-deb/: the programs alone, no tests and no benchmarks, since
# cpack builds everything the folder configures before it packs. Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALVIRA_BUILD_TESTS=OFF \
    -DKALVIRA_BUILD_BENCH=OFF >/dev/null
cmake --build build-deb -j2
(cd build-deb && cpack -G DEB >/dev/null)
ls build-deb/kalvira_*.deb
