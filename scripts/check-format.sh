#!/usr/bin/env bash
# Checks that every tracked C++ file is formatted by the repository's .clang-format;
# with --fix, formats them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${files[@]}"
else
    clang-format --dry-run -Werror "${files[@]}"
    echo "formatted: ${#files[@]} files"
fi
