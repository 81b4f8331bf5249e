#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh  # everything: the programs, the tests and the benchmarks

# What reads bytes from the wire, and the plot that indexes the record, once more with
# AddressSanitizer and UndefinedBehaviorSanitizer: the protocol's fuzz suite feeds its readers
# thousands of random byte streams, the run's suite plays every failure of the link, the plot's
# suite scrolls past the record's end, and the record file reader takes random and cut files. A Debug build of these targets keeps the extra time small.
sanitized=(protocol_tests run_tests redraw_tests records_tests)
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKALVIRA_SANITIZE=ON -DKALVIRA_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j2 --target "${sanitized[@]}"
for suite in "${sanitized[@]}"; do
    QT_QPA_PLATFORM=offscreen "build-asan/bin/$suite" --gtest_brief=1
done

QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2 --timeout 300
