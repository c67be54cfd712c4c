#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures how much CPU the game uses while it waits for the player: starts
# it in a real window under Xvfb, lets it settle, then reads its CPU time from
# /proc over a stretch of seconds. Fails above 1 % of one core.
#   scripts/idle-cpu.sh [seconds] [game binary]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

seconds=${1:-20}
game=${2:-build/src/app/twistor}
[[ -x $game ]] || { echo "idle-cpu: no game at $game (build it first)" >&2; exit 2; }

folder=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$folder"' EXIT
game=$(realpath "$game")
(cd "$folder" && exec xvfb-run -a -s "-screen 0 1280x1024x24" "$game") &
sleep 4
pid=$(pgrep -f -n "^$game$" || true)
[[ -n $pid ]] || { echo "idle-cpu: the game did not start" >&2; exit 1; }

ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
sleep "$seconds"
after=$(ticks)
percent=$(awk -v d=$((after - before)) -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.2f", 100 * d / (hz * s) }')
echo "idle-cpu: $percent % of one core over $seconds s while waiting for the player"
awk -v p="$percent" 'BEGIN { exit !(p < 1) }'
