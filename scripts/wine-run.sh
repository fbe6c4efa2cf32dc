#!/usr/bin/env bash
# Runs a Windows program under Wine with a private, quiet Wine prefix (made on first use), and
# exits with the program's status. The cross build's tests run through it.
#   scripts/wine-run.sh program.exe [arguments...]
set -euo pipefail
export WINEPREFIX=${WINEPREFIX:-${TMPDIR:-/tmp}/vormelin-wine-$(id -u)}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
exec "$wine" "$@"
