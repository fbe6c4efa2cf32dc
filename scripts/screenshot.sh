#!/usr/bin/env bash
# Takes the README's screenshot of the game: the real executable on a private virtual display
# with a compositor (so that the window's transparent corners and shadow show the desktop), the
# pointer resting on the help button until its tooltip is up.
#   scripts/screenshot.sh [output.png]     (default: docs/screenshot.png)
set -euo pipefail
cd "$(dirname "$0")/.."
output=$(realpath -m "${1:-docs/screenshot.png}")
game=$(realpath build/app/vormelin)
[[ -x $game ]] || { echo "screenshot: build the game first (scripts/setup.sh)" >&2; exit 1; }

workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT

scripts/with-xvfb.sh bash -c '
    set -euo pipefail
    cd "$1"
    xsetroot -solid "#6b7b8c"
    xcompmgr -c -r 8 -o 0.45 -l -8 -t -8 &
    compositor=$!
    # No sound server here: the game says so once, and the box is answered below.
    PULSE_SERVER=unix:/nonexistent "$2" 2>/dev/null &
    game=$!
    trap "kill $game $compositor 2>/dev/null || true" EXIT
    xdotool search --sync --onlyvisible --name "^Probl" >/dev/null
    xdotool key Return
    xdotool search --sync --onlyvisible --name "^Vormelin$" >/dev/null
    xdotool mousemove 722 578
    sleep 2.2
    import -window root -crop 740x590+142+89 +repage "$3"
    xdotool mousemove 700 300 key Escape
    wait $game
' screenshot "$workdir" "$game" "$output"
echo "screenshot: $output"
