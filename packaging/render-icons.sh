#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the PNG sizes of the application icon from its SVG, the one the window carries
# (assets/icons/simumoteurs.svg), for desktops and docks that do not scale SVG icons themselves.
# The PNGs are committed so that building needs no SVG renderer; run this after editing the SVG
# (needs rsvg-convert, Debian package librsvg2-bin).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
id=io.github.simumoteurs.Simumoteurs
svg="$here/../assets/icons/simumoteurs.svg"

command -v rsvg-convert >/dev/null || {
    echo "rsvg-convert not found: apt-get install librsvg2-bin" >&2
    exit 1
}
for size in 16 24 32 48 64 128 256; do
    dir="$here/icons/hicolor/${size}x${size}/apps"
    mkdir -p "$dir"
    rsvg-convert --width "$size" --height "$size" --format png --output "$dir/$id.png" "$svg"
done
