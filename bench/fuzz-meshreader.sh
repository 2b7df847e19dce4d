#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzes the model geometry reader: builds the fuzz preset (clang, libFuzzer, ASan, UBSan) and
# runs fuzz_meshreader for N inputs (default one million), seeded with the shipped model files.
#   bench/fuzz-meshreader.sh [N]
# Prints the number of inputs executed and of crashes; exits non-zero if any crash was found.
# Crashing inputs are kept in build/fuzz/meshreader-run/artifacts. Needs clang and its runtime
# libraries (Debian: clang libclang-rt-14-dev), which the default build does not: run as root,
# the script installs them when they are missing.
set -euo pipefail

fuzzer_runtime() { clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a 2>/dev/null; }
if ! command -v clang++ >/dev/null || [ ! -f "$(fuzzer_runtime)" ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "fuzz-meshreader.sh needs clang and libFuzzer: apt-get install clang libclang-rt-14-dev" >&2
        exit 2
    fi
    apt-get install -y --no-install-recommends clang libclang-rt-14-dev >/dev/null
fi

runs=${1:-1000000}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_meshreader -j2 >/dev/null

work=build/fuzz/meshreader-run
rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts"
cp assets/models/*.mesh "$work/corpus/"

# Single allocations above 256 MB count as failures: no input may make the reader allocate
# far beyond its own size.
status=0
build/fuzz/tools/fuzz/fuzz_meshreader -runs="$runs" -print_final_stats=1 \
    -malloc_limit_mb=256 -rss_limit_mb=2048 -artifact_prefix="$work/artifacts/" \
    "$work/corpus" >"$work/log" 2>&1 || status=$?

executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n 1)
crashes=$(find "$work/artifacts" -type f | wc -l)
seconds=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$work/log" | tail -n 1)
echo "inputs executed: ${executed:-0}"
echo "seconds: ${seconds:-?}"
echo "crashes: $crashes"
if [ "$status" -ne 0 ] || [ "$crashes" -ne 0 ]; then
    echo "fuzzer exit status $status; log: $work/log" >&2
    tail -n 40 "$work/log" >&2
    exit 1
fi
