#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the game (preset default) and starts it on this display.
# Arguments are passed on to the game.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/setup.sh
cmake --preset default
cmake --build --preset default --parallel 2

game=build/src/app/twistor
if [[ -z ${DISPLAY:-} ]]; then
  echo "No display: DISPLAY is not set, so the game has no screen to open its window on." >&2
  echo "Run this from a desktop session, or start $PWD/$game under xvfb-run." >&2
  exit 1
fi
exec "$game" "$@"
