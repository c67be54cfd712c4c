#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures how long the game takes from launch to its first complete picture
# (the window at its final size, the cube and the side panel drawn) in a real
# window under Xvfb, with no window manager and with openbox: the median of
# a number of launches each. Prints the figures; a measuring tool, not a test.
#   scripts/launch-time.sh [runs] [game binary]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

runs=${1:-10}
game=$(realpath "${2:-build/src/app/twistor}")
probe=$(realpath build/bench/app/launch_probe)
[[ -x $game ]] || { echo "launch-time: no game at $game (build it first)" >&2; exit 2; }
[[ -x $probe ]] || { echo "launch-time: no $probe (build the benchmarks first)" >&2; exit 2; }
command -v openbox >/dev/null || { echo "launch-time: openbox is not installed" >&2; exit 2; }

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
# Unscaled, on the X display, with no settings file: the first start of a
# new player.
unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING
export XDG_RUNTIME_DIR=$folder/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir "$folder/play"

measure() {  # window manager (none or openbox)
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        if [[ $1 == openbox ]]; then
            openbox >/dev/null 2>&1 &
            sleep 1
        fi
        for ((i = 0; i < $2; i++)); do "$3" "$4" "$5"; done
    ' measure "$1" "$runs" "$probe" "$game" "$folder/play"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for wm in none openbox; do
    times=$(measure "$wm")
    echo "launch-time: without a window manager: $(echo "$times" | median) ms (median of $runs: $(echo $times))" |
        sed "s/without a window manager/$([[ $wm == openbox ]] && echo 'with openbox' || echo 'without a window manager')/"
done
