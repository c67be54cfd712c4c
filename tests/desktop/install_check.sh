#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# install_check.sh BUILD_DIR APP_ID [BINDIR]: installs the build into a temporary prefix,
# checks that every file the desktop needs is there and that each validator
# passes on it with no error and no warning.
set -euo pipefail
build=$1 id=$2 bindir=${3:-bin}
prefix=$(mktemp -d /tmp/twistor-install.XXXXXX)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

expected=(
  "$bindir/twistor"
  share/applications/$id.desktop
  share/metainfo/$id.metainfo.xml
  share/man/man6/twistor.6
  share/icons/hicolor/scalable/apps/$id.svg
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x$size/apps/$id.png")
done
for f in "${expected[@]}"; do [[ -s $prefix/$f ]] || fail "missing $f"; done
for size in 16 256; do
  # A PNG's width and height are the two big-endian words after its signature and chunk header.
  header=$(od -An -tx1 -j16 -N8 "$prefix/share/icons/hicolor/${size}x$size/apps/$id.png" | tr -d ' \n')
  [[ $header == $(printf '%08x%08x' "$size" "$size") ]] ||
    fail "the ${size}x$size icon is not $size pixels square"
done

out=$(desktop-file-validate "$prefix/share/applications/$id.desktop" 2>&1) ||
  fail "desktop-file-validate: $out"
[[ -z $out ]] || fail "desktop-file-validate: $out"
grep -qx 'Exec=twistor --xdg' "$prefix/share/applications/$id.desktop" ||
  fail "the menu entry does not start the game with --xdg"
# The desktop shows the game starting until its window maps.
grep -qx 'StartupNotify=true' "$prefix/share/applications/$id.desktop" ||
  fail "the menu entry does not ask for startup notification"

out=$(appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" 2>&1) ||
  fail "appstreamcli: $out"
grep -qE '^[EW]:' <<<"$out" && fail "appstreamcli: $out"

out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man6/twistor.6" 2>&1 >/dev/null) ||
  fail "man: $out"
[[ -z $out ]] || fail "man: $out"

version=$("$prefix/$bindir/twistor" --version) || fail "twistor --version"
[[ $version == "twistor "* ]] || fail "twistor --version said: $version"
exit $failed
