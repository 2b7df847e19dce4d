#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that the Debian package brings everything the program needs: builds it with cpack,
# installs it without recommends into a fresh copy of a bare Debian 12 (debootstrap
# --variant=minbase) and starts it there from its menu entry on an Xvfb display of this machine,
# through tests/install's tst_installed. Needs root, debootstrap, Xvfb and the Debian mirror;
# takes minutes, so it is a manual check and not part of ctest.
#
#   packaging/check-deb.sh BUILD_DIR [CACHE_DIR]
#
# BUILD_DIR is a configured build tree with simumoteurs and tst_installed built. CACHE_DIR
# (default /tmp/simumoteurs-bookworm) keeps the bare system and the downloaded packages for the
# next run; every run installs into a new copy of that system.
set -euo pipefail
[ $# -ge 1 ] || { sed -n '2,13p' "$0" >&2; exit 2; }
build=$(cd "$1" && pwd)
cache=${2:-/tmp/simumoteurs-bookworm}
mirror=http://deb.debian.org/debian
probe="$build/tests/install/tst_installed"
[ -x "$probe" ] || { echo "build tst_installed in $build first" >&2; exit 1; }

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
echo "package: $(basename "$deb")"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"

if [ ! -x "$cache/base/usr/bin/apt-get" ]; then
    mkdir -p "$cache"
    debootstrap --variant=minbase bookworm "$cache/base" "$mirror"
    # A fresh Debian 12 also follows its updates and security suites.
    cat >"$cache/base/etc/apt/sources.list" <<SOURCES
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
SOURCES
    chroot "$cache/base" apt-get clean
fi
mkdir -p "$cache/archives/partial"
cp -a "$cache/base" "$root"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount --bind "$cache/archives" "$root/var/cache/apt/archives"
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
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
sleep 1
DISPLAY=$display SIMUMOTEURS_TEST_SYSROOT=$root "$probe"
