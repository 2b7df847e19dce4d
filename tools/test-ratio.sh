#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Size of the tests against the product: non-blank lines of every tracked file under tests/,
# over non-blank lines of the product's sources outside tests/ and bench/ (tools/ included).
# Exits with 1 when the ratio leaves 0.25–0.35.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
tests=$(git ls-files tests | xargs cat | grep -cv '^\s*$')
product=$(git ls-files | grep -vE '^(tests|bench)/' | grep -E '\.(cpp|h|qml|frag|vert|c)$' \
    | xargs cat | grep -cv '^\s*$')
ratio=$(awk -v t="$tests" -v p="$product" 'BEGIN { printf "%.2f", t / p }')
echo "tests $tests, product $product, ratio $ratio (0.25–0.35)"
awk -v r="$ratio" 'BEGIN { exit !(r >= 0.25 && r <= 0.35) }'
