#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that the Debian package brings everything the program needs: builds it with cpack,
# installs it without recommends into a fresh copy of a bare system of the release it is for
# (mmdebstrap --variant=minbase, with the release's updates and security suites) and starts it
# there from its menu entry on an Xvfb display of this machine, through tests/install's
# tst_installed. Needs root and Xvfb; installs mmdebstrap when it is missing. Takes minutes, so
# it is a manual check and not part of ctest.
#
#   packaging/check-deb.sh BUILD_DIR [CACHE_DIR]
#
# BUILD_DIR is a configured build tree with simumoteurs and tst_installed built, on the release
# the package is for (on Debian 13 from Debian 12: tools/debian-root.sh trixie bash -c '...').
# CACHE_DIR (default /var/cache/simumoteurs-check) keeps the bare system and the downloaded
# packages for the next run; every run installs into a new copy of that system.
set -euo pipefail
[ $# -ge 1 ] || { sed -n '3,16p' "$0" >&2; exit 2; }
build=$(cd "$1" && pwd)
cache=${2:-/var/cache/simumoteurs-check}
probe="$build/tests/install/tst_installed"
[ -x "$probe" ] || { echo "build tst_installed in $build first" >&2; exit 1; }
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
if ! command -v mmdebstrap >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends mmdebstrap >/dev/null
fi

work=$(mktemp -d /tmp/simumoteurs-check.XXXXXX)
root="$work/root"
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    for fs in var/cache/apt/archives sys proc; do
        if mountpoint -q "$root/$fs"; then umount "$root/$fs"; fi
    done
    # Never delete through a mount that is still there.
    if ! grep -q " $work/" /proc/mounts; then rm -rf "$work"; fi
}
trap cleanup EXIT

(cd "$build" && cpack -G DEB -B "$work" >/dev/null)
deb=$(ls "$work"/simumoteurs_*.deb)
echo "package: $(basename "$deb") for Debian $codename"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"

base="$cache/$codename-minbase.tar"
if [ ! -s "$base" ]; then
    mkdir -p "$cache"
    # No mirror named: mmdebstrap's default, with the updates and security suites a new
    # installation of a stable release follows.
    mmdebstrap --quiet --variant=minbase --format=tar "$codename" "$base.new"
    mv "$base.new" "$base"
fi
mkdir -p "$cache/$codename-archives/partial" "$root"
tar -C "$root" -xf "$base"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount --bind "$cache/$codename-archives" "$root/var/cache/apt/archives"
mount -t proc proc "$root/proc"
mount -t sysfs sysfs "$root/sys"

apt=(chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get -y -qq)
chroot "$root" dpkg-query -W -f '${Package}\n' | sort >"$work/before"
cp "$deb" "$root/tmp/"
"${apt[@]}" update
"${apt[@]}" install --no-install-recommends "/tmp/$(basename "$deb")" >/dev/null 2>"$work/apt.log" \
    || { cat "$work/apt.log" >&2; exit 1; }
chroot "$root" dpkg-query -W -f '${Package}\n' | sort >"$work/after"
echo "installed with it: $(comm -13 "$work/before" "$work/after" | wc -l) packages"
comm -13 "$work/before" "$work/after" | tr '\n' ' '
echo

# The display lives outside the system under test; clients reach it through the abstract socket.
# Xvfb picks a free display and writes its number once it accepts clients.
exec {ready}>"$work/display"
Xvfb -displayfd "$ready" -screen 0 1920x1080x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec {ready}>&-
until [ -s "$work/display" ]; do
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
    sleep 0.1
done
DISPLAY=:$(cat "$work/display") SIMUMOTEURS_TEST_SYSROOT=$root "$probe"
