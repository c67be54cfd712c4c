#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Proves that a brand-new Debian 12 machine needs nothing but this repository. Builds a minimal
# bookworm root with debootstrap, puts a clean clone of the repository in it and runs there, as
# CI does (root, no stdin, CI=true, a bare environment):
#   1. scripts/setup.sh, twice (the second run must be quick and offline),
#   2. a tiny Qt Widgets/QTest + GoogleTest + Benchmark program, offscreen and under Xvfb, which
#      tells a machine set-up fault apart from a fault in the game's own build,
#   3. scripts/test.sh,
#   4. scripts/play.sh without a display, then under Xvfb for a few seconds,
#   5. scripts/package.sh (dpkg-buildpackage, lintian with no error or warning, hardening-check),
#      then the package installed with apt into a second fresh root that has nothing else:
#      twistor --version there, the installed menu entry, metadata and manual page validated, the
#      copyright and changelog in place, and the menu entry's Exec line started as a player under
#      Xvfb until its window appears.
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
install_root=$dir/bookworm-install
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

unmount_below() { # everything mounted below a root, deepest first
  awk -v r="$1/" 'index($2, r) == 1 { print $2 }' /proc/mounts | sort -r |
    while read -r m; do umount -l "$m"; done
}
xvfb_pid= game_pid=
cleanup() {
  if [[ -n $game_pid ]]; then kill "$game_pid" 2>/dev/null || true; fi
  if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
  unmount_below "$install_root"
  unmount_below "$root"
}
trap cleanup EXIT

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

fresh_root() { # fresh_root DIR: a minimal bookworm system in DIR, with /proc, /sys and /dev
  local r=$1
  unmount_below "$r"
  if [[ -e $r && ! -e $r/.fresh-machine-check ]]; then
    echo "fresh-machine-check: $r exists and is not one of mine; not deleting it" >&2
    return 1
  fi
  rm -rf --one-file-system "$r"
  mkdir -p "$r"
  if [[ -f $cache ]]; then
    echo "unpacking the cached bookworm root $cache"
    tar -C "$r" -xzf "$cache"
  else
    debootstrap --variant=minbase bookworm "$r" "$mirror"
    tar -C "$r" -czf "$cache.part" . && mv "$cache.part" "$cache"
  fi
  touch "$r/.fresh-machine-check"
  {
    echo "deb $mirror bookworm main"
    echo "deb $mirror bookworm-updates main"
    if [[ -n $security ]]; then echo "deb $security bookworm-security main"; fi
  } >"$r/etc/apt/sources.list"
  cp -L /etc/resolv.conf "$r/etc/resolv.conf"
  mount -t proc proc "$r/proc"
  mount -t sysfs sysfs "$r/sys"
  mount --rbind /dev "$r/dev"
  mount --make-rslave "$r/dev"
}

make_root() {
  fresh_root "$root"

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

play_without_display() { # builds; then "no display" (exit 1)
  in_root 'status=0; bash scripts/play.sh 2>&1 | tee /tmp/play.log || status=$?
    ((status == 1)) && grep -q "No display" /tmp/play.log'
}

play_under_xvfb() { # the game must still be running when the timeout ends it
  in_root 'export XDG_RUNTIME_DIR=$(mktemp -d) status=0
    timeout -k 5 15 xvfb-run -a bash scripts/play.sh || status=$?
    echo "play.sh ended with $status (124: still running when stopped)"; ((status == 124))'
}

package_build() { # package.sh lints the package and checks the packaged game's hardening
  in_root 'bash scripts/package.sh && deb=$(ls dist/twistor_*_amd64.deb) &&
    [[ $deb == "dist/twistor_$(sed -nE "s/^project\(Twistor VERSION ([0-9.]+).*/\1/p" CMakeLists.txt)_amd64.deb" ]]'
}

# The search path Debian's /etc/profile gives a player: games are in /usr/games.
player_path=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games

in_install_root() { # runs a bash snippet in the second root, where only the package goes
  chroot "$install_root" /usr/bin/env -i HOME=/root \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c "set -euo pipefail; $1" </dev/null
}

package_install() { # a second fresh root that gets the package and nothing else
  fresh_root "$install_root" &&
    cp "$root"/work/twistor/dist/twistor_*_amd64.deb "$install_root/tmp/" &&
    in_install_root 'export DEBIAN_FRONTEND=noninteractive; apt-get update -q &&
      apt-get install -y -q --no-install-recommends /tmp/twistor_*_amd64.deb &&
      useradd --create-home player'
}

installed_version() { # found as a player finds it
  in_install_root "v=\$(PATH=$player_path twistor --version); echo \"\$v\"; [[ \$v =~ ^twistor\ [0-9.]+$ ]]"
}

installed_files_valid() { # the build root has the validators; the installed files are copied there
  local id=io.github.twistor.Twistor
  rm -rf "$root/tmp/installed" && mkdir -p "$root/tmp/installed" &&
    cp "$install_root/usr/share/applications/$id.desktop" \
      "$install_root/usr/share/metainfo/$id.metainfo.xml" \
      "$install_root/usr/share/man/man6/twistor.6.gz" "$root/tmp/installed/" &&
    [[ -x $install_root/usr/games/twistor ]] &&
    [[ -s $install_root/usr/share/doc/twistor/copyright ]] &&
    [[ -s $install_root/usr/share/doc/twistor/changelog.gz ]] &&
    [[ -s $install_root/usr/share/icons/hicolor/scalable/apps/$id.svg ]] &&
    [[ -s $install_root/usr/share/icons/hicolor/48x48/apps/$id.png ]] &&
    in_root "cd /tmp/installed
      out=\$(desktop-file-validate $id.desktop 2>&1); echo \"\$out\"; [[ -z \$out ]]
      out=\$(appstreamcli validate --no-net $id.metainfo.xml 2>&1); echo \"\$out\"
      if grep -qE '^[EW]:' <<<\"\$out\"; then exit 1; fi
      out=\$(man --warnings -l twistor.6.gz 2>&1 >/dev/null); echo \"\$out\"; [[ -z \$out ]]"
}

menu_entry_under_xvfb() { # Xvfb runs in the build root; its socket is lent to the second root
  local exec
  exec=$(sed -n 's/^Exec=//p' "$install_root/usr/share/applications/io.github.twistor.Twistor.desktop")
  echo "Exec line: $exec"
  mkdir -p -m 1777 "$root/tmp/.X11-unix" "$install_root/tmp/.X11-unix"
  chroot "$root" /usr/bin/env -i PATH=/usr/bin:/bin Xvfb :99 -screen 0 1024x768x24 -nolisten tcp \
    </dev/null >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do [[ -S $root/tmp/.X11-unix/X99 ]] && break; sleep 0.1; done
  mount --bind "$root/tmp/.X11-unix" "$install_root/tmp/.X11-unix"
  touch "$install_root/tmp/game-started"
  chroot --userspec=player:player "$install_root" /usr/bin/env -i HOME=/home/player \
    DISPLAY=:99 PATH=$player_path bash -c "cd ~ && exec $exec" </dev/null &
  game_pid=$!
  local status=0
  in_root 'export DISPLAY=:99
    timeout 20 xdotool search --sync --onlyvisible --name "Twistor Cube" | head -1 |
      xargs -r xdotool getwindowname' || status=$?
  kill "$game_pid" 2>/dev/null || status=1 # it must still be running
  wait "$game_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  game_pid= xvfb_pid=
  umount "$install_root/tmp/.X11-unix"
  # The menu entry keeps the game's files in the player's data folder, never in the home itself.
  [[ -d $install_root/home/player/.local/share/twistor ]] || { echo "no data folder made"; status=1; }
  if find "$install_root/home/player" -maxdepth 1 -type f -newer "$install_root/tmp/game-started" |
    grep .; then
    echo "files written into the home folder"
    status=1
  fi
  return "$status"
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
step "package.sh" package_build
step "apt-get install the package (2nd root)" package_install
step "twistor --version (installed)" installed_version
step "installed files: validators, doc files" installed_files_valid
step "menu entry's Exec line under Xvfb" menu_entry_under_xvfb

echo && echo "######## summary ($root)"
printf '%s\n' "${results[@]}"
exit "$failed"
