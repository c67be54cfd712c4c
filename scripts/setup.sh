#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
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
  # the Debian package: dpkg-buildpackage and debhelper build it (dpkg-buildpackage asks for
  # build-essential), lintian checks it, and hardening-check (devscripts) checks that the
  # binaries are hardened
  build-essential dpkg-dev debhelper lintian devscripts
  # the validators of the installed menu entry, metadata and manual page
  desktop-file-utils appstream man-db
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

# Another apt or an unattended upgrade may hold the package lock: wait for it (up to ten
# minutes) rather than fail at once. apt-get update does not wait for the lock on the package
# lists, so it is tried again every five seconds for as long while that lock is what stops it.
wait_for_lock=(-o DPkg::Lock::Timeout=600)
apt=("${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "${wait_for_lock[@]}")
echo "setup: installing ${missing[*]}"
for ((tries = 1; ; tries++)); do
  status=0
  log=$("${apt[@]}" update -q 2>&1) || status=$?
  echo "$log"
  ((status == 0)) && break
  if ((tries >= 120)) || ! grep -q 'Could not get lock' <<<"$log"; then exit "$status"; fi
  echo "setup: another apt holds the package lists; waiting"
  sleep 5
done
"${apt[@]}" install -y -q --no-install-recommends "${missing[@]}"
echo "setup: done"
