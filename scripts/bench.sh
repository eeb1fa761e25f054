#!/usr/bin/env bash
# The benchmark command: builds, runs bench.exe under Wine on a virtual display, and writes
# its figures with the machine they came from into BENCHMARKS.md.
set -euo pipefail
source "$(dirname "$0")/machine.sh"

tavero_install_packages
tavero_build win
TAVERO_OWN_DISPLAY=1 tavero_start_wine
figures=$(wine "$tavero_root/build/win/bench/bench.exe" </dev/null 2>/dev/null | tr -d '\r')

cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')
memory=$(free -h | awk '/^Mem:/ {print $2}')
cat >"$tavero_root/BENCHMARKS.md" <<MD
# Benchmarks

Measured by \`bash scripts/bench.sh\` (it rewrites this file) on $(date -u +%Y-%m-%d):
$(nproc) cores of ${cpu:-an unknown processor}, $memory of memory, $(wine --version 2>/dev/null),
Xvfb, no window manager.

The program and a minimal reference responder built from the same tree (a hidden window that
registers the same hotkey, Ctrl + Alt + F12, and on WM_HOTKEY sends the same key, B, with
SendInput, holds it 100 ms and releases it) are measured one after the other in the same run.
Latency is the time from injecting the hotkey's key to the first key-down of B seen by a
focused window of the benchmark; holds are B's down to up as that window saw them.

$figures

Targets: latency within 1.1x of the reference, holds within 2 ms, idle CPU 0 ms, start-up under
150 ms beyond the reference's, exe under 1 MiB importing system DLLs only.
MD
cat "$tavero_root/BENCHMARKS.md"
