#!/usr/bin/env bash
# The test command: installs what it needs, builds both trees and runs every test.
set -euo pipefail
source "$(dirname "$0")/machine.sh"

tavero_install_packages

echo "== native build and unit tests"
tavero_build native
ctest --test-dir "$tavero_root/build/native" --output-on-failure

echo "== Windows build and tests under Wine"
tavero_build win
tavero_start_wine own
ctest --test-dir "$tavero_root/build/win" --output-on-failure
