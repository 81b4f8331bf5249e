#!/usr/bin/env bash
# Non-blank C++ lines of the product (src/, tools/) and of the tests (tests/, fakes and test support
# included), and the tests' share of the product. The project keeps the share at most 36 %.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { git ls-files -- "$@" | grep -E '\.(cpp|h)$' | xargs cat | grep -cv '^\s*$'; }
product=$(count src tools)
tests=$(count tests)
awk -v p="$product" -v t="$tests" 'BEGIN { printf "product %d, tests %d: %.1f %%\n", p, t, 100 * t / p }'
