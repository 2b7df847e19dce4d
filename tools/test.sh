#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything and runs the whole test suite. Without a
# display the tests run under Xvfb with Mesa's software OpenGL (the 3D view needs a real X
# server; widgets alone would do with the offscreen platform).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$root/tools/install-deps.sh"
cd "$root"
cmake --preset default
cmake --build --preset default

if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -w "${XDG_RUNTIME_DIR}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d /tmp/simumoteurs-runtime.XXXXXX)
    chmod 700 "$XDG_RUNTIME_DIR"
    export XDG_RUNTIME_DIR
fi

if [ -n "${DISPLAY:-}" ]; then
    ctest --preset default "$@"
else
    xvfb-run -a -s "-screen 0 1920x1080x24" ctest --preset default "$@"
fi
