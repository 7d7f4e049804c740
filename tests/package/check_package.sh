#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tests/package/check_package.sh DEB: unpacks the package into a scratch root
# and checks the installed tree and that every place shows one version.
set -euo pipefail
deb=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
fail() { echo "FAIL: $*"; exit 1; }
id=io.github.verbalomatic.Verbalomatic
for f in usr/bin/verbalomatic usr/bin/verbalomatic-cli \
         usr/share/man/man6/verbalomatic.6.gz usr/share/man/man6/verbalomatic-cli.6.gz \
         usr/share/bash-completion/completions/verbalomatic-cli \
         usr/share/zsh/vendor-completions/_verbalomatic-cli \
         usr/share/fish/vendor_completions.d/verbalomatic-cli.fish \
         usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/$id.svg \
         usr/share/doc/verbalomatic/copyright usr/share/doc/verbalomatic/changelog.gz; do
  [ -s "$root/$f" ] || fail "missing $f"
done
for size in 16 22 24 32 48 64 128 256; do
  png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png
  [ "$(identify -format '%wx%h' "$png")" = "${size}x$size" ] || fail "icon $size"
done
version=$(dpkg-deb -f "$deb" Version)
[ "$("$root/usr/bin/verbalomatic-cli" --version)" = "verbalomatic-cli $version" ] ||
  fail "verbalomatic-cli --version differs from the package's $version"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo release is not $version"
zcat "$root/usr/share/doc/verbalomatic/changelog.gz" | head -1 | grep -q "($version)" ||
  fail "the changelog is not for $version"
echo "PASS: package tree and version $version"
