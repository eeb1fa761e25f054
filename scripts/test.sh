#!/usr/bin/env bash
# The test command: installs what it needs, builds both trees and runs every test.
# TAVERO_REPEAT=N runs the Windows tests N times on the one build, stopping at the first run
# that fails and saying which it was: a test that fails one run in ten fails CI as often.
set -euo pipefail
source "$(dirname "$0")/machine.sh"

tavero_install_packages

echo "== native build and unit tests"
tavero_build native
ctest --test-dir "$tavero_root/build/native" --output-on-failure

echo "== unit tests under AddressSanitizer and UndefinedBehaviorSanitizer, and every fuzz input"
tavero_build sanitize
ctest --test-dir "$tavero_root/build/sanitize" --output-on-failure -j "$(nproc)"

echo "== Windows build and tests under Wine"
tavero_build win
tavero_start_wine own
runs=${TAVERO_REPEAT:-1}
for run in $(seq "$runs"); do
    if [ "$runs" -gt 1 ]; then echo "== Windows tests, run $run of $runs"; fi
    if ! ctest --test-dir "$tavero_root/build/win" --output-on-failure; then
        echo "the Windows tests failed in run $run of $runs" >&2
        exit 1
    fi
done
if [ "$runs" -gt 1 ]; then echo "the Windows tests passed $runs runs of $runs"; fi
