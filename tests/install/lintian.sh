#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tests/install/lintian.sh BUILD_DIR: builds the Debian package, checks that its changelog's latest
# entry is its version, and has lintian judge it: no error and no warning, but for the tags about
# a placeholder maintainer's address.
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/simumoteurs_*.deb)

# lintian does not compare the two: a new version needs its changelog entry.
version=$(dpkg-deb -f "$deb" Version)
dpkg-deb -x "$deb" "$work/tree"
logged=$(dpkg-parsechangelog -l "$work/tree/usr/share/doc/simumoteurs/changelog.Debian.gz" \
    -S Version)
if [ "$logged" != "$version" ]; then
    echo "the package is $version, its changelog's latest entry $logged"
    exit 1
fi

if ! command -v lintian >/dev/null; then
    echo "SKIP: lintian is not installed (tools/install-deps.sh installs it)"
    exit 77
fi
# Only the maintainer's address may be at fault, and only while it is the placeholder; and
# AppStream's verdict on the metadata only while the packager gave no home page and the
# validator's own complaint is that alone (url-homepage-missing: newer validators warn about it).
allowed=()
if dpkg-deb -f "$deb" Maintainer | grep -q '@invalid>$'; then
    allowed+=('bogus-mail-host Maintainer' 'bogus-mail-host-in-debian-changelog')
fi
metainfo=$(ls "$work"/tree/usr/share/metainfo/*.metainfo.xml)
if ! grep -q '<url type="homepage">' "$metainfo" && command -v appstreamcli >/dev/null; then
    # The validator exits non-zero when it warns: its verdict is in what it names.
    faults=$( (appstreamcli validate --no-net "$metainfo" 2>&1 || true) |
        sed -n 's/^ *[EW]: [^ ]* \([a-z0-9-]*\).*/\1/p' | sort -u)
    if [ "$faults" = url-homepage-missing ]; then
        allowed+=('appstream-metadata-validation-failed')
    fi
fi
allowed=$(IFS='|'; echo "^[EW]: simumoteurs: (${allowed[*]:-no-tag-allowed})( |$)")
lintian --no-cfg --fail-on none "$deb" >"$work/lintian.log" 2>&1
cat "$work/lintian.log"
if grep -E '^[EW]: ' "$work/lintian.log" | grep -Evq "$allowed"; then
    echo "lintian: errors or warnings beyond the placeholder maintainer's"
    exit 1
fi
