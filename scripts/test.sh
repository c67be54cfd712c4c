#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The one test command: installs what is missing, then builds and runs every test three times:
# in the release build with warnings as errors (preset ci), in a clang build of everything with
# the fuzz targets (preset clang), whose fuzz targets then run for a short while, and in the
# sanitizer build (preset asan).
#   --fast   only the first: skip the clang build, the fuzzing and the sanitizer build
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

fast=0
for arg in "$@"; do
  case $arg in
    --fast) fast=1 ;;
    *) echo "usage: $0 [--fast]" >&2; exit 2 ;;
  esac
done

bash scripts/setup.sh

# The test programs make themselves headless (tests/HeadlessMain.cpp).
run() {
  echo "=== $1: configure, build, test ==="
  cmake --preset "$1"
  cmake --build --preset "$1" --parallel 2
  ctest --preset "$1" --parallel 2 --timeout 600
}

run ci

if ((fast)); then
  echo "=== clang, fuzz and asan: skipped (--fast) ==="
  exit 0
fi

# The second compiler on the whole project, tests included, so that code only clang refuses
# cannot land; the fuzz targets are built here too.
run clang

# A short run of each file reader's fuzz target, so a fresh crash shows up here.
echo "=== fuzz: each reader for a short while ==="
bash scripts/fuzz.sh 15

export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run asan
