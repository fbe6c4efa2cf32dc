#!/usr/bin/env bash
# Runs a command on a private virtual display of 1024 × 768 (Xvfb; VORMELIN_XVFB_SCREEN=WxH for
# another size), with DISPLAY set for it, and stops the display afterwards. Leaves no process
# behind; exits with the command's status.
#   scripts/with-xvfb.sh <command> [arguments...]
set -euo pipefail

screen_size=${VORMELIN_XVFB_SCREEN:-1024x768}
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${screen_size}x24" -nolisten tcp -noreset +extension COMPOSITE \
    3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!

stop_display() {
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    rm -f "$display_file"
}
trap stop_display EXIT

for _ in $(seq 100); do
    [[ -s $display_file ]] && break
    sleep 0.05
done
if [[ ! -s $display_file ]]; then
    echo "with-xvfb: the virtual display did not start" >&2
    exit 1
fi

export DISPLAY=":$(head -n1 "$display_file")"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
status=0
"$@" || status=$?
exit $status
