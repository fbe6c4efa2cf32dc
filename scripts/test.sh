#!/usr/bin/env bash
# The project's test command: sets up and builds, then runs every test of the normal build and
# the unit tests of the sanitizer build and of the core built for Windows (under Wine). Exits
# non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

status=0
ctest --test-dir build --output-on-failure -j "$(nproc)" || status=1
ctest --test-dir build-asan --output-on-failure -j "$(nproc)" -L unit || status=1
ctest --test-dir build-windows --output-on-failure -L unit || status=1
exit $status
