#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets in the clang build (preset clang, build-clang/) and runs each one
# in turn.
#   scripts/fuzz.sh            20 seconds per target (for CI)
#   scripts/fuzz.sh 300        300 seconds per target
#   scripts/fuzz.sh runs=1000000
#                              a million inputs per target
# Inputs that add coverage are kept in build-clang/corpus/<target>; the seeds in fuzz/corpus/ are
# only read. A crash leaves its input in build-clang/artifacts/ and makes the script fail.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

limit=${1:-20}
case $limit in
  runs=[0-9]*) budget=(-runs="${limit#runs=}") ;;
  [0-9]*) budget=(-max_total_time="$limit") ;;
  *) echo "usage: $0 [seconds | runs=N]" >&2; exit 2 ;;
esac

if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ is missing (apt-get install clang libclang-rt-14-dev)" >&2
  exit 1
fi

build=build-clang
cmake --preset clang >/dev/null
cmake --build --preset clang --parallel 2 --target settings_fuzz puzzle_fuzz

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in settings_fuzz puzzle_fuzz; do
  seeds=fuzz/corpus/${target%_fuzz}
  corpus=$build/corpus/${target%_fuzz}
  mkdir -p "$corpus" "$build/artifacts"
  dict=()
  [[ -f fuzz/${target%_fuzz}.dict ]] && dict=(-dict="fuzz/${target%_fuzz}.dict")
  echo "=== $target: ${budget[*]} ==="
  "$build/fuzz/$target" "${budget[@]}" "${dict[@]}" -max_len=8192 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$target-" "$corpus" "$seeds"
done
