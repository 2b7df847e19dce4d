#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing the simulator need on this
# machine's release (tools/debian-packages.txt), and only those that are missing. Needs root or
# sudo when something is missing. On a system it does not know, it says what it would need and
# changes nothing. With --download-only it only fills apt's cache (CI does so for a bare system
# while it builds on the machine itself).
set -euo pipefail
apt_mode=()
[ "${1:-}" = --download-only ] && apt_mode=(--download-only)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
list="$here/debian-packages.txt"

# packages_of RELEASE USE...: the packages the list gives that release for those uses.
packages_of() {
    local release=$1
    shift
    local use
    for use in "$@"; do
        sed -n "s/^$release $use:[[:space:]]*//p" "$list"
    done | tr -s ' \t' '\n\n' | sed '/^$/d' | awk '!seen[$0]++'
}

releases=$(sed -n 's/^\([0-9][0-9]*\) [a-z]*:.*/\1/p' "$list" | sort -un)
id=$( (. /etc/os-release 2>/dev/null && echo "${ID:-}") || true)
version=$( (. /etc/os-release 2>/dev/null && echo "${VERSION_ID:-}") || true)
if [ "$id" != debian ] || ! grep -qx "$version" <<<"$releases"; then
    {
        echo "This system is not a supported one: $( (. /etc/os-release 2>/dev/null &&
            echo "${PRETTY_NAME:-unknown}") || echo unknown)."
        echo "Supported: $(sed 's/^/Debian /' <<<"$releases" | paste -sd ',' | sed 's/,/, /g')."
        echo "Nothing was installed. The packages a supported release needs:"
        for r in $releases; do
            echo "  Debian $r: $(packages_of "$r" build run | paste -sd ' ')"
        done
    } >&2
    exit 1
fi

mapfile -t packages < <(packages_of "$version" build run)
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages${apt_mode:+ (download only)}: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Run as root or install sudo." >&2; exit 1; }
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${apt_mode[@]}" "${missing[@]}"
