#!/usr/bin/env bash
# Installs what the game needs and is missing, builds the game alone (in build-game/, without
# tests or benchmarks) and starts it on the desktop, passing on its arguments. The score file
# "Scores.qelm" is kept in the directory this command is started from.
set -euo pipefail
here=$(pwd)
cd "$(dirname "$0")/.."
scripts/setup.sh --game
cd "$here"
exec "$OLDPWD/build-game/app/vormelin" "$@"
