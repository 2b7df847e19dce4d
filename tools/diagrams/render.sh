#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates the circuit diagrams assets/diagrams/montage<N>.svg from their CircuiTikZ sources
# in assets/diagrams/src/. The program's build uses the generated files and needs no TeX; run
# this only after editing a source, then run tst_panels and look at the panels.
#
# Needs (Debian 12): texlive-latex-base texlive-latex-recommended texlive-pictures
#                    texlive-fonts-recommended dvisvgm python3
#
# Usage: render.sh [montage1 montage2 ...]   (all four by default)
set -eu

tools=$(cd "$(dirname "$0")" && pwd)
diagrams=$(cd "$tools/../../assets/diagrams" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Pixel sizes (width height) of the pictures the diagram panels show.
size() {
    case $1 in
    montage1) echo 474 575 ;;
    montage2) echo 693 473 ;;
    montage3) echo 510 565 ;;
    montage4) echo 555 813 ;;
    *) echo "unknown diagram: $1" >&2 && exit 1 ;;
    esac
}

[ $# -gt 0 ] || set -- montage1 montage2 montage3 montage4
for name in "$@"; do
    dims=$(size "$name")
    if ! (cd "$diagrams/src" && latex -interaction=nonstopmode -halt-on-error \
        -output-directory="$work" "$name.tex" >"$work/$name.out" 2>&1); then
        grep -A5 '^!' "$work/$name.log" >&2 || tail -20 "$work/$name.out" >&2
        exit 1
    fi
    # Glyphs become paths: the pictures must not depend on fonts being installed.
    dvisvgm --no-fonts --bbox=papersize --precision=3 --verbosity=1 \
        -o "$work/$name.svg" "$work/$name.dvi"
    # shellcheck disable=SC2086 # two numbers, split on purpose
    python3 "$tools/fitsvg.py" "$work/$name.svg" "$diagrams/$name.svg" $dims
done
