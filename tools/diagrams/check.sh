#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the circuit diagrams with Qt's SVG module, as the program will, and fails when one of
# them would not show as intended (wrong size, no opaque background, black fills). Also writes
# two PNG files per diagram to look at: at full size and scaled into the 400 x 444 panel.
# Needs no TeX: only Qt 6 (qt6-svg-dev), CMake and a compiler.
#
# Usage: check.sh [png output dir]   (default: /tmp/diagram-check)
set -eu

tools=$(cd "$(dirname "$0")" && pwd)
diagrams=$(cd "$tools/../../assets/diagrams" && pwd)
out=${1:-/tmp/diagram-check}
build=${DIAGRAM_CHECKER_BUILD:-/tmp/build-diagramchecker}

cmake -S "$tools/checker" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 >/dev/null
mkdir -p "$out"
QT_QPA_PLATFORM=offscreen "$build/diagramchecker" "$out" "$diagrams"/montage*.svg
echo "PNG files in $out"
