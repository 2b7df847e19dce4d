#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Size of the tests against the product, in non-blank lines of the same kinds of tracked file on
# both sides: C++, QML, shaders, Python, shell and CMake. Test code is tests/ and tools/fuzz/;
# the product is everything else but bench/, which counts on neither side. Exits with 1
# when the ratio leaves 0.25–0.35 (compared before rounding).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
code='\.(cpp|h|hpp|c|qml|frag|vert|py|sh|cmake)$|(^|/)CMakeLists\.txt$'
testcode='^(tests/|tools/fuzz/)'
lines() { xargs -r -d '\n' cat | grep -cv '^\s*$' || true; }
files=$(git ls-files | grep -E "$code" | grep -vE '^bench/')
tests=$(grep -E "$testcode" <<<"$files" | lines)
product=$(grep -vE "$testcode" <<<"$files" | lines)
awk -v t="$tests" -v p="$product" 'BEGIN {
    r = t / p
    printf "tests %d, product %d, ratio %.3f (0.25–0.35)\n", t, p, r
    exit !(r >= 0.25 && r <= 0.35)
}'
