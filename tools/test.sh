#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a fresh Debian 12 or 13 machine, builds everything and runs the whole test suite. Without a
# display the tests run under Xvfb with Mesa's software OpenGL (the 3D view needs a real X
# server; widgets alone would do with the offscreen platform).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$root/tools/install-deps.sh"
cd "$root"
cmake --preset default
cmake --build --preset default

# shellcheck source=headless.sh
source "$root/tools/headless.sh"
sm_runtime_dir

if [ -n "${DISPLAY:-}" ]; then
    ctest --preset default "$@"
else
    xvfb-run -a -s "-screen 0 1920x1080x24" ctest --preset default "$@"
fi
