#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a fresh Debian 12 or 13 machine, builds the simulator and starts it.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$root/tools/install-deps.sh"
cd "$root"
cmake --preset release >/dev/null
cmake --build --preset release --target simumoteurs
exec "$root/build/release/app/simumoteurs"
