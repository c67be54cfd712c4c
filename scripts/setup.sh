#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test Twistor.
# Safe to run again: when everything is already there it touches neither apt nor the network.
set -euo pipefail

packages=(
  # build and test
  cmake g++ ninja-build qt6-base-dev libgtest-dev libbenchmark-dev
  # the fonts the game and its tests draw text with (the controls use the condensed face)
  fonts-dejavu-core fonts-dejavu-extra
  # the clang build and its fuzz targets (libFuzzer and the sanitizer runtimes)
  clang libclang-rt-14-dev
  # running and looking at the real window without a screen
  xvfb xauth xdotool x11-apps imagemagick
  # the Debian package (CPack's shlibdeps step runs dpkg-shlibdeps and file)
  # and the validators of the installed menu entry, metadata and manual page
  dpkg-dev file desktop-file-utils appstream man-db
  # a window manager for measuring the launch time (scripts/launch-time.sh)
  openbox
)

missing=()
for pkg in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == installed ]] || missing+=("$pkg")
done

if ((${#missing[@]} == 0)); then
  echo "setup: all ${#packages[@]} packages already installed"
  exit 0
fi

if ((EUID == 0)); then
  as_root=()
elif command -v sudo >/dev/null; then
  as_root=(sudo)
else
  echo "setup: need root (or sudo) to install: ${missing[*]}" >&2
  exit 1
fi

echo "setup: installing ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -q --no-install-recommends "${missing[@]}"
echo "setup: done"
