#!/usr/bin/env bash
# The project's test command: sets up and builds, then runs every test of the normal build, the
# unit tests of the sanitizer build, and every test of the game built for Windows (under Wine).
# Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

status=0
ctest --test-dir build --output-on-failure -j "$(nproc)" || status=1
ctest --test-dir build-asan --output-on-failure -j "$(nproc)" -L unit || status=1
# One at a time: the Windows programs share one Wine prefix. The unit tests of the windows need a
# display; each end-to-end test brings its own.
scripts/with-xvfb.sh ctest --test-dir build-windows --output-on-failure || status=1
exit $status
