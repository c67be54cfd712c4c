#!/usr/bin/env bash
# Proves that a brand-new Debian 12 machine needs nothing but this repository. Builds a minimal
# bookworm root with debootstrap, puts a clean clone of the repository in it and runs there, as
# CI does (root, no stdin, CI=true, a bare environment):
#   1. scripts/setup.sh, twice (the second run must be quick and offline),
#   2. a tiny Qt Widgets/QTest + GoogleTest + Benchmark program, offscreen and under Xvfb, which
#      tells a machine set-up fault apart from a fault in the game's own build,
#   3. scripts/test.sh,
#   4. scripts/play.sh without a display, then under Xvfb for a few seconds.
#
# Usage (as root): scripts/fresh-machine-check.sh [--worktree] [--fast]
#   --worktree  check the work tree as it is (tracked and untracked files) instead of HEAD
#   --fast      pass --fast to test.sh (no sanitizer build)
# FRESH_DIR     where the root and the cached debootstrap tarball live (default: .fresh-root)
# FRESH_MIRROR  Debian mirror (default: the one apt on this machine uses)
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dir=${FRESH_DIR:-$repo/.fresh-root}
root=$dir/bookworm-root
cache=$dir/bookworm-minbase.tar.gz
worktree=0 test_args=()
for arg in "$@"; do
  case $arg in
    --worktree) worktree=1 ;;
    --fast) test_args+=(--fast) ;;
    *) echo "usage: $0 [--worktree] [--fast]" >&2; exit 2 ;;
  esac
done
((EUID == 0)) || { echo "fresh-machine-check: run as root (debootstrap, mount, chroot)" >&2; exit 1; }
command -v debootstrap >/dev/null || { echo "fresh-machine-check: apt-get install debootstrap" >&2; exit 1; }

# Every URI apt reads, from one-line (.list) and deb822 (.sources) files.
apt_uris() {
  local f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*; do
    if [[ -f $f ]]; then sed -nE -e 's/^deb +(\[[^]]*\] +)?([^ ]+).*/\2/p' -e 's/^URIs: *//p' "$f"; fi
  done | tr ' ' '\n'
}
mirror=${FRESH_MIRROR:-$(apt_uris | grep -E '/debian/?$' | sed -n 1p)}
security=$(apt_uris | grep -E '/debian-security/?$' | sed -n 1p)
[[ -n $mirror ]] || { echo "fresh-machine-check: no Debian mirror in apt's sources; set FRESH_MIRROR" >&2; exit 1; }

unmount_all() { # everything mounted below the root, deepest first
  awk -v r="$root/" 'index($2, r) == 1 { print $2 }' /proc/mounts | sort -r |
    while read -r m; do umount -l "$m"; done
}
trap unmount_all EXIT

results=() failed=0
note() { # note NAME START STATUS: one line of the summary
  (($3 == 0)) || failed=1
  results+=("$(printf '%-38s %5ds  %s' "$1" $((SECONDS - $2)) \
    "$( (($3 == 0)) && echo ok || echo "FAILED (exit $3)")")")
}
step() { # step NAME COMMAND...: runs a command in the root, times it and carries on either way
  local name=$1 start=$SECONDS status=0
  shift
  echo && echo "######## $name"
  "$@" || status=$?
  note "$name" "$start" "$status"
}

in_root() { # runs a bash snippet in the repository inside the root, as CI would
  chroot "$root" /usr/bin/env -i HOME=/root CI=true \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c "set -euo pipefail; cd /work/twistor; $1" </dev/null
}

make_root() {
  unmount_all
  if [[ -e $root && ! -e $root/.fresh-machine-check ]]; then
    echo "fresh-machine-check: $root exists and is not one of mine; not deleting it" >&2
    return 1
  fi
  rm -rf --one-file-system "$root"
  mkdir -p "$root"
  touch "$root/.fresh-machine-check"
  if [[ -f $cache ]]; then
    echo "unpacking the cached bookworm root $cache"
    tar -C "$root" -xzf "$cache"
  else
    debootstrap --variant=minbase bookworm "$root" "$mirror"
    tar -C "$root" -czf "$cache.part" . && mv "$cache.part" "$cache"
  fi
  {
    echo "deb $mirror bookworm main"
    echo "deb $mirror bookworm-updates main"
    if [[ -n $security ]]; then echo "deb $security bookworm-security main"; fi
  } >"$root/etc/apt/sources.list"
  cp -L /etc/resolv.conf "$root/etc/resolv.conf"
  mount -t proc proc "$root/proc"
  mount -t sysfs sysfs "$root/sys"
  mount --rbind /dev "$root/dev"
  mount --make-rslave "$root/dev"

  mkdir -p "$root/work/twistor"
  if ((worktree)) || ! git -C "$repo" rev-parse -q --verify HEAD >/dev/null; then
    echo "copying the work tree (HEAD has no commit, or --worktree)"
    git -C "$repo" ls-files -z --cached --others --exclude-standard |
      tar -C "$repo" --null -T - --ignore-failed-read -cf - | tar -C "$root/work/twistor" -xf -
  else
    git clone -q "$repo" "$root/work/twistor"
  fi
  [[ -f $root/work/twistor/scripts/test.sh ]] ||
    { echo "fresh-machine-check: the copy has no scripts/test.sh (not committed? try --worktree)" >&2; return 1; }
}

write_probe() { # a throwaway project that needs exactly what the game needs from the machine
  mkdir -p "$root/tmp/probe"
  cat >"$root/tmp/probe/CMakeLists.txt" <<'EOF'
cmake_minimum_required(VERSION 3.25)
project(probe LANGUAGES CXX)
set(CMAKE_CXX_STANDARD 20)
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
find_package(GTest REQUIRED)
find_package(benchmark REQUIRED)
add_executable(probe probe.cpp)
target_link_libraries(probe Qt6::Widgets Qt6::Test GTest::gtest benchmark::benchmark)
EOF
  cat >"$root/tmp/probe/probe.cpp" <<'EOF'
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QTest>
#include <benchmark/benchmark.h>
#include <gtest/gtest.h>

TEST(Probe, WindowOpensWithARealFont) {
  QLabel label("Twistor");
  label.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&label));
  QTest::mouseClick(&label, Qt::LeftButton);
  EXPECT_EQ(QFontInfo(label.font()).family(), "DejaVu Sans");
  EXPECT_EQ(QFontInfo(QFont("DejaVu Sans Condensed")).family(), "DejaVu Sans Condensed");
  EXPECT_EQ(QGuiApplication::platformName(), qEnvironmentVariable("EXPECT_PLATFORM"));
}

static void BM_Nothing(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(state.iterations());
}
BENCHMARK(BM_Nothing)->Iterations(100);

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return RUN_ALL_TESTS();
}
EOF
}

probe() {
  in_root 'cd /tmp/probe && cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release &&
    cmake --build build && export XDG_RUNTIME_DIR=$(mktemp -d) &&
    QT_QPA_PLATFORM=offscreen EXPECT_PLATFORM=offscreen build/probe &&
    EXPECT_PLATFORM=xcb xvfb-run -a build/probe'
}

play_without_display() { # builds; then either "no display" (exit 1) or "game not built yet" (exit 0)
  in_root 'status=0; bash scripts/play.sh 2>&1 | tee /tmp/play.log || status=$?
    if [[ -x build/src/app/twistor ]]; then ((status == 1)) && grep -q "No display" /tmp/play.log
    else ((status == 0)); fi'
}

play_under_xvfb() { # the game must still be running when the timeout ends it
  in_root 'if [[ ! -x build/src/app/twistor ]]; then echo "game not built yet: nothing to start"; exit 0; fi
    export XDG_RUNTIME_DIR=$(mktemp -d) status=0
    timeout -k 5 15 xvfb-run -a bash scripts/play.sh || status=$?
    echo "play.sh ended with $status (124: still running when stopped)"; ((status == 124))'
}

echo "######## fresh bookworm root"
make_root # not a step: a failure here stops the check
note "fresh bookworm root" 0 0
write_probe
step "setup.sh (fresh machine)" in_root 'bash scripts/setup.sh'
step "setup.sh (again)" in_root 'bash scripts/setup.sh'
step "probe: Qt 6, GoogleTest, Benchmark" probe
step "test.sh ${test_args[*]}" in_root "bash scripts/test.sh ${test_args[*]}"
step "play.sh without a display" play_without_display
step "play.sh under Xvfb" play_under_xvfb

echo && echo "######## summary ($root)"
printf '%s\n' "${results[@]}"
exit "$failed"
