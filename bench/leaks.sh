#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks for leaks with LeakSanitizer: builds the asan preset (or uses the build folder in
# SM_LEAKS_BUILD) and runs tests/session/leakprobe (start, one trace on each tab with a short
# pause, tabs and a diagram panel clicked, close) twice: on the offscreen platform and under
# X (Xvfb when there is no display), where Mesa's software OpenGL draws the 3D view. Leaks that
# belong to third-party libraries (Mesa, fontconfig, dbus ...) are suppressed by
# tests/session/lsan.supp, each with the reason; anything else is printed and fails the script.
# bench/keeplibs.c is preloaded so that no library is unloaded before the sanitizer looks (needs
# a C compiler, as the build does).
#   bash bench/leaks.sh
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=../tools/headless.sh
source "$root/tools/headless.sh"
sm_under_xvfb "${BASH_SOURCE[0]}" "$@"
sm_runtime_dir

cd "$root"
if [ -n "${SM_LEAKS_BUILD:-}" ]; then
    build=$SM_LEAKS_BUILD
    cmake "$build" >/dev/null
    cmake --build "$build" -j2 --target leakprobe >/dev/null
else
    build=$root/build/asan
    cmake --preset asan >/dev/null
    cmake --build --preset asan -j2 --target leakprobe >/dev/null
fi

keep=$(mktemp -d /tmp/simumoteurs-keeplibs.XXXXXX)
cc -shared -fPIC -O2 -o "$keep/libkeeplibs.so" "$root/bench/keeplibs.c"

status=0
for platform in offscreen xcb; do
    log=$(mktemp /tmp/simumoteurs-leaks.XXXXXX)
    code=0
    QT_QPA_PLATFORM=$platform LD_PRELOAD="$keep/libkeeplibs.so" \
        ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:verify_asan_link_order=0 \
        LSAN_OPTIONS="suppressions=$root/tests/session/lsan.supp:print_suppressions=1" \
        "$build/tests/session/leakprobe" >"$log" 2>&1 || code=$?
    played=$(sed -n 's/^traces played: //p' "$log")
    reported=$(grep -c '^\(Direct\|Indirect\) leak' "$log" || true)
    suppressed=$(sed -n 's/^ *\([0-9]*\) *\([0-9]*\) .*/\2/p' "$log" | awk '{ s += $1 } END { print s + 0 }')
    echo "$platform: traces played ${played:-?}, leaks reported $reported, bytes suppressed" \
        "$suppressed, exit code $code"
    if [ "$code" -ne 0 ] || [ "$reported" -ne 0 ]; then
        status=1
        grep -A12 '^\(Direct\|Indirect\) leak' "$log" | head -120 >&2 || tail -40 "$log" >&2
    fi
    rm -f "$log"
done
rm -rf "$keep"
exit "$status"
