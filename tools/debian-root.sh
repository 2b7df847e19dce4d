#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a copy of this work tree inside a fresh, bare Debian system of another
# release, as a teacher's new machine would be: CI proves with it that the README's commands
# work on every supported release, and the figures are measured the same way.
#
#   tools/debian-root.sh CODENAME COMMAND...    e.g. tools/debian-root.sh trixie bash tools/test.sh
#
# Needs root, mmdebstrap and unshare. The bare system (a minbase system with the release's
# updates and security suites, as mmdebstrap gives a stable release by default) and the packages
# downloaded into it are cached in SIMUMOTEURS_ROOT_CACHE (default /var/cache/simumoteurs-roots),
# outside the work tree; an empty cache only costs time. Every run unpacks a new copy of the bare
# system, and everything runs in mount and process namespaces of its own: when the command ends,
# fails or is killed, its mounts and processes go with the namespaces. Files the command leaves
# in the copy's build/ folder are copied back to SIMUMOTEURS_ROOT_KEEP when that is set.
set -euo pipefail
[ $# -ge 2 ] || { sed -n '3,16p' "$0" >&2; exit 2; }
codename=$1
shift
source_tree=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=${SIMUMOTEURS_ROOT_CACHE:-/var/cache/simumoteurs-roots}
base="$cache/$codename-minbase.tar"
archives="$cache/$codename-archives"

[ "$(id -u)" -eq 0 ] || { echo "debian-root.sh needs root" >&2; exit 1; }
for tool in mmdebstrap unshare; do
    command -v "$tool" >/dev/null || { echo "debian-root.sh needs $tool (apt-get install mmdebstrap util-linux)" >&2; exit 1; }
done

mkdir -p "$cache" "$archives/partial"
(
    # One bare system at a time; a week old, it is made again, so that the copy starts close to
    # what a new installation gets.
    flock 9
    if [ ! -s "$base" ] || [ -n "$(find "$base" -mtime +7)" ]; then
        echo "debian-root: making a bare Debian $codename (mmdebstrap, minbase)"
        mmdebstrap --quiet --variant=minbase --format=tar "$codename" "$base.new"
        mv "$base.new" "$base"
    fi
) 9>"$cache/.lock"

work=$(mktemp -d "${TMPDIR:-/tmp}/simumoteurs-$codename.XXXXXX")
cleanup() {
    # The namespaces took their mounts with them; never delete through one that would remain.
    if grep -q " $work/" /proc/mounts; then
        echo "debian-root: mounts left under $work, not deleting it" >&2
    else
        rm -rf "$work"
    fi
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP
root="$work/root"
mkdir -p "$root"
tar -C "$root" -xf "$base"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# The copy lives for one run: dpkg need not wait for each file to reach the disk.
echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/simumoteurs-unsafe-io"

# The tree as it is now, with what is not yet committed, without build folders.
mkdir -p "$root/src/simumoteurs"
(cd "$source_tree" && git ls-files -z -co --exclude-standard | xargs -0 -r -n 200 sh -c \
    'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh | tar --null -T - -cf -) |
    tar -C "$root/src/simumoteurs" -xf -

status=0
# In the background, so that a signal to this script reaches its trap at once: the trap stops
# the namespaces' first process, which takes every other one down with it (--kill-child), and
# then the copy is deleted.
unshare --mount --pid --fork --kill-child --propagation private \
    bash -euo pipefail -c '
    root=$1 archives=$2
    shift 2
    mount -t proc proc "$root/proc"
    mount -t sysfs sysfs "$root/sys"
    mount --rbind /dev "$root/dev"
    mount --bind "$archives" "$root/var/cache/apt/archives"
    # Not exec: this shell stays the namespace'"'"'s first process, which the kernel shields from
    # signals it has no handler for, so that the command runs as it would anywhere else
    # (xvfb-run, for one, waits for a signal from its X server).
    chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        HOME=/root LANG=C.UTF-8 TERM=dumb CI="${CI:-}" \
        bash -c "cd /src/simumoteurs && exec \"\$@\"" bash "$@"
' bash "$root" "$archives" "$@" &
inside=$!
# unshare ignores SIGTERM while it waits for its child; only SIGKILL stops it.
trap 'kill -KILL "$inside" 2>/dev/null; wait "$inside" || true; exit 143' TERM INT HUP
wait "$inside" || status=$?
trap - TERM INT HUP

if [ -n "${SIMUMOTEURS_ROOT_KEEP:-}" ] && [ -d "$root/src/simumoteurs/build" ]; then
    mkdir -p "$SIMUMOTEURS_ROOT_KEEP"
    cp -a "$root/src/simumoteurs/build/." "$SIMUMOTEURS_ROOT_KEEP/"
fi
exit $status
