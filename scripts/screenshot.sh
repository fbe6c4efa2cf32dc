#!/usr/bin/env bash
# Saves a picture of the game's window, as shown on a private virtual display, to look at.
#   scripts/screenshot.sh <output.png> [--hover close|minimise|new_board|reset_scores|help]
# Uses the executable of the normal build (build/app/vormelin).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if (($# < 1)); then
    echo "usage: $0 <output.png> [--hover BUTTON]" >&2
    exit 2
fi
output=$(realpath -m "$1")
shift
export PYTHONDONTWRITEBYTECODE=1
exec "$root/scripts/with-xvfb.sh" python3 "$root/tests/e2e/screenshot.py" \
    "$root/build/app/vormelin" "$output" "$@"
