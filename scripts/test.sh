#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2 --timeout 300

# The protocol's readers once more with AddressSanitizer and UndefinedBehaviorSanitizer: the fuzz
# suite feeds them thousands of random byte streams. A Debug build of this one target keeps the
# extra time small (about 20 s of compiling the first time, a few seconds to run).
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKALVIRA_SANITIZE=ON -DKALVIRA_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j2 --target protocol_tests
QT_QPA_PLATFORM=offscreen build-asan/bin/protocol_tests --gtest_brief=1
