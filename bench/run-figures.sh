#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the whole-application figures next to their targets: builds the release preset (or
# uses the build folder in SM_FIGURES_BUILD), then measures each figure several times (RUNS,
# default 3) and prints its median and spread (min-max). Without a display it runs itself under
# Xvfb, where Qt Quick 3D draws with Mesa's software OpenGL. Takes about two minutes.
#   bash bench/run-figures.sh [RUNS]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=../tools/headless.sh
source "$root/tools/headless.sh"
sm_under_xvfb "${BASH_SOURCE[0]}" "$@"
sm_runtime_dir

runs=${1:-3}
targets=(bench_trace bench_window bare_window tracescloseprobe)
cd "$root"
if [ -n "${SM_FIGURES_BUILD:-}" ]; then
    build=$SM_FIGURES_BUILD
    cmake --build "$build" -j2 --target "${targets[@]}" >/dev/null
else
    build=$root/build/release
    cmake --preset release >/dev/null
    cmake --build --preset release -j2 --target "${targets[@]}" >/dev/null
fi
log=$(mktemp -d /tmp/simumoteurs-figures.XXXXXX)

now() { date +%s.%N; }

# summary NAME UNIT TARGET-TEXT VALUES...: "name  median (min-max) unit  target"
summary() {
    local name=$1 unit=$2 target=$3
    shift 3
    printf '%s\n' "$@" | sort -g | awk -v name="$name" -v unit="$unit" -v target="$target" '
        { v[NR] = $1 }
        END {
            m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            printf "%-44s %9.3f %-4s (%.3f-%.3f, %d runs)   target %s\n",
                   name, m, unit, v[1], v[NR], NR, target
        }'
}

# Real-pace traces, 3D view live: tab 1 at 50 % (shaft spinning), tab 3 at 90 % (rotor turning).
"$build/bench/bench_trace" --runs "$runs" >"$log/trace1" 2>"$log/trace1.err"
"$build/bench/bench_trace" --runs "$runs" --tab 3 --percent 90 >"$log/trace3" 2>"$log/trace3.err"
field() { sed -n "s/^run [0-9]*: .*$1 \\([0-9.]*\\).*/\\1/p" "$2"; }
mapfile -t ratio1 < <(field "ratio" "$log/trace1")
mapfile -t ratio3 < <(field "ratio" "$log/trace3")
mapfile -t costMedian < <(sed -n 's/.*step cost median \([0-9.]*\) ms, p99.*/\1/p' "$log/trace1" "$log/trace3")
mapfile -t costP99 < <(sed -n 's/.*step cost median [0-9.]* ms, p99 \([0-9.]*\) ms.*/\1/p' "$log/trace1" "$log/trace3")
mapfile -t fps < <(sed -n 's/.*; 3D \([0-9.]*\) fps.*/\1/p' "$log/trace1")
peaks=()
for f in "$log/trace1" "$log/trace3"; do
    peaks+=("$(sed -n 's/.*peak resident memory *\([0-9.]*\) MB.*/\1/p' "$f")")
done

# Start to the first 3D frame, ours and a bare window with the same modules.
first_frame() {
    local start out
    start=$(now)
    out=$("$@" 2>/dev/null)
    awk -v s="$start" '/^first-frame/ { printf "%.1f\n", $2 - s * 1000 }' <<<"$out"
    sed -n 's/^peak-rss \([0-9]*\)/\1/p' <<<"$out" >>"$log/startpeak-$(basename "$1")"
}
ours=()
bare=()
ratios=()
for _ in $(seq "$runs"); do
    o=$(first_frame "$build/bench/bench_window" first-frame)
    b=$(first_frame "$build/bench/bare_window")
    ours+=("$o")
    bare+=("$b")
    ratios+=("$(awk -v o="$o" -v b="$b" 'BEGIN { printf "%.3f", o / b }')")
done

# CPU of the still window, from /proc/<pid>/stat, over windows of 3 s.
ticks=$(getconf CLK_TCK)
"$build/bench/bench_window" idle $((3 * runs + 1)) >"$log/idle" 2>/dev/null &
idle_pid=$!
until grep -q '^ready' "$log/idle" 2>/dev/null; do sleep 0.1; done
cpu() { awk '{ print $14 + $15 }' "/proc/$idle_pid/stat"; }
idle=()
for _ in $(seq "$runs"); do
    a=$(cpu)
    sleep 3
    b=$(cpu)
    idle+=("$(awk -v a="$a" -v b="$b" -v t="$ticks" 'BEGIN { printf "%.2f", (b - a) / t / 3 * 100 }')")
done
peaks+=("$(awk '/^VmHWM/ { printf "%.1f", $2 / 1024 }' "/proc/$idle_pid/status")")
wait "$idle_pid"

# After one step of the rotor, the frames that refine the still picture, and when the last one
# is drawn.
refineFrames=()
refineMs=()
for _ in $(seq "$runs"); do
    out=$("$build/bench/bench_window" refine 2>/dev/null)
    refineFrames+=("$(awk '/^refine/ { print $2 }' <<<"$out")")
    refineMs+=("$(awk '/^refine/ { print $3 }' <<<"$out")")
done

# Close from inside four nested real-pace traces, to the exit of the process.
closes=()
for _ in $(seq "$runs"); do
    out=$("$build/tests/app/tracescloseprobe" 3,2,4,1 2>/dev/null) || {
        echo "tracescloseprobe exited with code $?" >&2
        exit 1
    }
    end=$(now)
    closes+=("$(awk -v e="$end" '/^close/ { printf "%.1f", e * 1000 - $2 }' <<<"$out")")
done

echo "Figures ($(nproc) cores, display $DISPLAY, build: $build)"
summary "tab 1 trace wall time / 6.6 s" "" "<= 1.01" "${ratio1[@]}"
summary "tab 3 trace at 90 % wall time / 10.4 s" "" "<= 1.01" "${ratio3[@]}"
summary "point step cost, median" "ms" "<= 1 ms" "${costMedian[@]}"
summary "point step cost, 99th percentile" "ms" "<= 4 ms" "${costP99[@]}"
summary "3D frames per second, shaft spinning + trace" "fps" ">= 50" "${fps[@]}"
summary "CPU of the still window" "%" "<= 2 % of one core" "${idle[@]}"
summary "frames after one rotor step" "" "" "${refineFrames[@]}"
summary "  the last of them, after the step" "ms" "<= 1000 ms" "${refineMs[@]}"
summary "start to first 3D frame, ours" "ms" "" "${ours[@]}"
summary "start to first 3D frame, bare Qt window" "ms" "" "${bare[@]}"
summary "start-up, ours / bare" "" "<= 1.5" "${ratios[@]}"
summary "peak resident memory (VmHWM)" "MB" "<= 150 MB" "${peaks[@]}"
mapfile -t startOurs < <(awk '{ printf "%.1f\n", $1 / 1024 }' "$log/startpeak-bench_window")
mapfile -t startBare < <(awk '{ printf "%.1f\n", $1 / 1024 }' "$log/startpeak-bare_window")
summary "  at the first frame, ours" "MB" "" "${startOurs[@]}"
summary "  at the first frame, bare Qt window" "MB" "" "${startBare[@]}"
summary "close in 4 nested traces to process exit" "ms" "<= 300 ms, exit code 0" "${closes[@]}"
rm -rf "$log"
