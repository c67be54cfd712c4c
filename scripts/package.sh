#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package dist/twistor_<version>_<arch>.deb with Debian's own tools
# (dpkg-buildpackage: debhelper and the CMake build system, hardened by dpkg-buildflags) from a
# clean copy of the source in build-package/, then checks it: lintian must find no error and no
# warning, and hardening-check must pass on the packaged game.
# The package's build runs the tests, except where they have just run: under CI (CI=true) the
# build gets DEB_BUILD_OPTIONS=nocheck unless DEB_BUILD_OPTIONS is set already.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/setup.sh

version=$(dpkg-parsechangelog -S Version)
project=$(sed -nE 's/^project\(Twistor VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
if [[ $version != "$project" ]]; then
  echo "package: debian/changelog is at $version but CMakeLists.txt at $project" >&2
  exit 1
fi
if [[ -z ${DEB_BUILD_OPTIONS+set} && ${CI:-} == true ]]; then
  export DEB_BUILD_OPTIONS=nocheck
fi

# dpkg-buildpackage writes next to the source folder, so the source is copied into a folder of
# its own first, without build folders and what they hold.
stage=build-package
source=$stage/twistor-$version
rm -rf "$stage"
mkdir -p "$source"
tar -cf - --exclude-vcs --exclude='./build*' --exclude=./dist --exclude=./.fresh-root . |
  tar -C "$source" -xf -
(cd "$source" && dpkg-buildpackage -us -uc -b -J2)

deb=twistor_${version}_$(dpkg --print-architecture).deb
mkdir -p dist
cp "$stage/$deb" dist/
echo "package: $PWD/dist/$deb"
dpkg-deb --field "dist/$deb" Package Version Depends Recommends

echo "package: lintian"
lintian --fail-on error,warning --display-info "dist/$deb"

echo "package: hardening-check"
dpkg-deb -x "dist/$deb" "$stage/installed"
hardening-check --nocfprotection "$stage/installed/usr/games/twistor"
