#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it on the desktop. The score file
# "Scores.qelm" is kept in the directory this command is started from.
set -euo pipefail
here=$(pwd)
cd "$(dirname "$0")/.."
scripts/setup.sh --game
cd "$here"
exec "$OLDPWD/build/app/vormelin"
