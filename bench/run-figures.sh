#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the whole-application figures next to their targets: builds the release preset (or
# uses the build folder in SM_FIGURES_BUILD), then measures each figure several times (RUNS,
# default 3) and prints its median and spread (min-max). Without a display it runs itself under
# Xvfb, where Qt Quick 3D draws with Mesa's software OpenGL. The point steps are measured on
# traces of 132, 208 and 1,101 points side by side, and the first and last 132 steps of the
# longest compared, to show whether a step's cost grows with the points already on the charts;
# --quick leaves out the longest trace (55 s a run). A trace at the slowed pace ×¼, the CPU while
# the lesson is held and the close while held follow. Takes about nine minutes, six with --quick.
#   bash bench/run-figures.sh [--quick] [RUNS]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=../tools/headless.sh
source "$root/tools/headless.sh"
sm_under_xvfb "${BASH_SOURCE[0]}" "$@"
sm_runtime_dir

quick=false
if [ "${1:-}" = "--quick" ]; then
    quick=true
    shift
fi
runs=${1:-3}
targets=(bench_trace bench_window bare_window tracescloseprobe bench_toolkit)
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

# Real-pace traces, 3D view live: tab 1 at 50 % (shaft spinning, 132 points), tab 3 at 90 %
# (rotor turning, 208 points) and at 99 % (1,101 points, the longest a user can start); then the
# first two again with the tab's circuit picture slid in and lit at every point.
traces=(trace132 trace208)
"$build/bench/bench_trace" --runs "$runs" >"$log/trace132" 2>"$log/trace132.err"
"$build/bench/bench_trace" --runs "$runs" --tab 3 --percent 90 >"$log/trace208" 2>"$log/trace208.err"
if [ "$quick" = false ]; then
    traces+=(trace1101)
    "$build/bench/bench_trace" --runs "$runs" --tab 3 --percent 99 \
        >"$log/trace1101" 2>"$log/trace1101.err"
fi
traces+=(panel132 panel208 quarter132)
"$build/bench/bench_trace" --runs "$runs" --panel >"$log/panel132" 2>"$log/panel132.err"
"$build/bench/bench_trace" --runs "$runs" --tab 3 --percent 90 --panel \
    >"$log/panel208" 2>"$log/panel208.err"
"$build/bench/bench_trace" --runs "$runs" --pace quarter >"$log/quarter132" 2>"$log/quarter132.err"
# runfield PATTERN FILE: the number after PATTERN on every "run N:" line of FILE.
runfield() { sed -n "s/^run [0-9]*: .*$1 \([0-9.]*\).*/\1/p" "$2"; }
mapfile -t fps < <(sed -n 's/.*; 3D \([0-9.]*\) fps.*/\1/p' "$log/trace132")
peaks=()
for t in "${traces[@]}"; do
    peaks+=("$(sed -n 's/.*peak resident memory *\([0-9.]*\) MB.*/\1/p' "$log/$t")")
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

# The same while the lesson is held in a trace's pause, the shaft held spinning.
"$build/bench/bench_window" held $((3 * runs + 1)) >"$log/held" 2>/dev/null &
idle_pid=$!
until grep -q '^ready' "$log/held" 2>/dev/null; do sleep 0.1; done
held=()
for _ in $(seq "$runs"); do
    a=$(cpu)
    sleep 3
    b=$(cpu)
    held+=("$(awk -v a="$a" -v b="$b" -v t="$ticks" 'BEGIN { printf "%.2f", (b - a) / t / 3 * 100 }')")
done
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

# Close from inside four nested real-pace traces, to the exit of the process; then the same with
# the lesson held.
closes=()
heldCloses=()
for _ in $(seq "$runs"); do
    for how in "" held; do
        out=$("$build/tests/app/tracescloseprobe" 3,2,4,1 $how 2>/dev/null) || {
            echo "tracescloseprobe exited with code $?" >&2
            exit 1
        }
        end=$(now)
        ms=$(awk -v e="$end" '/^close/ { printf "%.1f", e * 1000 - $2 }' <<<"$out")
        if [ -n "$how" ]; then heldCloses+=("$ms"); else closes+=("$ms"); fi
    done
done

# The live pause and the animations on their own: stop through nested pauses, a 0.3 s animation,
# a looping animation of period 0.
for _ in $(seq "$runs"); do
    "$build/bench/bench_toolkit" >>"$log/toolkit" 2>/dev/null
done
toolkitfigure() { awk -v f="$1" '$1 == f { print $2 }' "$log/toolkit"; }

# cell VALUES...: "median (min-max)" of the values.
cell() {
    printf '%s\n' "$@" | sort -g | awk '
        { v[NR] = $1 }
        END {
            m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            printf "%.3f (%.3f-%.3f)", m, v[1], v[NR]
        }'
}
# row NAME TARGET PATTERN: one figure of every trace, side by side.
row() {
    local name=$1 target=$2 pattern=$3 t values
    printf '%-26s' "$name"
    for t in "${traces[@]}"; do
        mapfile -t values < <(runfield "$pattern" "$log/$t")
        printf ' %-22s' "$(cell "${values[@]}")"
    done
    printf ' %s\n' "$target"
}
medianof() { runfield "$1" "$2" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "Figures ($(nproc) cores, display $DISPLAY, build: $build, load average $(cut -d' ' -f1-3 /proc/loadavg))"
printf '%-26s' "point steps, $runs runs"
for t in "${traces[@]}"; do
    case $t in
    panel*) printf ' %-22s' "${t#panel}, picture in" ;;
    quarter*) printf ' %-22s' "${t#quarter}, pace ×¼" ;;
    *) printf ' %-22s' "${t#trace} points" ;;
    esac
done
printf ' target\n'
row "wall time / ideal" "<= 1.005" "ratio"
row "step cost median, ms" "<= 1 ms" "step cost median"
row "step cost p99, ms" "<= 4 ms" "step cost median [0-9.]* ms, p99"
row "step period median, ms" "" "step period median"
if [ "$quick" = false ]; then
    # Like with like: the same trace's steps, all doing the same work, early and late.
    awk -v a="$(medianof "last 132" "$log/trace1101")" -v b="$(medianof "first 132" "$log/trace1101")" \
        'BEGIN { printf "%-26s %.2f   target <= 1.5\n", "1101 points: last / first 132", a / b }'
fi
echo
summary "3D frames per second, shaft spinning + trace" "fps" ">= 50" "${fps[@]}"
summary "CPU of the still window" "%" "<= 2 % of one core" "${idle[@]}"
summary "CPU while held (trace and shaft held)" "%" "<= 2 % of one core" "${held[@]}"
summary "frames after one rotor step" "" "" "${refineFrames[@]}"
summary "  the last of them, after the step" "ms" "<= 1000 ms" "${refineMs[@]}"
summary "start to first 3D frame, ours" "ms" "" "${ours[@]}"
summary "start to first 3D frame, bare Qt window" "ms" "" "${bare[@]}"
summary "start-up, ours / bare" "" "<= 1.15" "${ratios[@]}"
summary "peak resident memory (VmHWM), ours" "MB" "" "${peaks[@]}"
mapfile -t startOurs < <(awk '{ printf "%.1f\n", $1 / 1024 }' "$log/startpeak-bench_window")
mapfile -t startBare < <(awk '{ printf "%.1f\n", $1 / 1024 }' "$log/startpeak-bare_window")
summary "  at the first frame, ours" "MB" "" "${startOurs[@]}"
summary "  at the first frame, bare Qt window" "MB" "" "${startBare[@]}"
mapfile -t memRatios < <(paste -d' ' "$log/startpeak-bench_window" "$log/startpeak-bare_window" |
    awk '{ printf "%.3f\n", $1 / $2 }')
summary "peak memory at the first frame, ours / bare" "" "<= 1.05" "${memRatios[@]}"
summary "close in 4 nested traces to process exit" "ms" "<= 300 ms, exit code 0" "${closes[@]}"
summary "  the same, the lesson held" "ms" "<= 300 ms, exit code 0" "${heldCloses[@]}"
mapfile -t stopAll < <(toolkitfigure stop-all-ms)
mapfile -t animation < <(toolkitfigure animation-0.3s-ms)
mapfile -t zeroCpu < <(toolkitfigure zero-loop-cpu-%)
mapfile -t zeroWrites < <(toolkitfigure zero-loop-writes/s)
summary "stop through 3 nested pauses to the last" "ms" "< 30 ms" "${stopAll[@]}"
summary "animation of 0.3 s, enabled to finished" "ms" "< 900 ms" "${animation[@]}"
summary "looping animation of period 0: CPU" "%" "< 50 % of one core" "${zeroCpu[@]}"
summary "  values written a second" "" "< 100" "${zeroWrites[@]}"
rm -rf "$log"
