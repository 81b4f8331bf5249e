#!/usr/bin/env bash
# Configures and builds KALVIRA into build/ (executables in build/bin/). A new build/ is configured
# as RelWithDebInfo; an existing one keeps the build type in its CMakeCache.txt. Arguments that
# start with -D go to the configuration, the others name the targets to build (all when none):
#   scripts/build.sh kalvira kalvira-unit
set -euo pipefail
cd "$(dirname "$0")/.."
configure=()
targets=()
for argument in "$@"; do
    case $argument in
        -D*) configure+=("$argument") ;;
        *) targets+=(--target "$argument") ;;
    esac
done
if [ -f build/CMakeCache.txt ]; then
    build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' build/CMakeCache.txt)
else
    build_type=RelWithDebInfo
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE="$build_type" "${configure[@]}" >/dev/null
cmake --build build -j2 "${targets[@]}"
