#!/usr/bin/env bash
# The benchmark command: builds, runs bench.exe under Wine on a virtual display of its own, with
# Xvfb, the Wine server and the runs pinned to one processor where taskset exists, and writes its
# figures with the machine they came from into BENCHMARKS.md; then measures latency and holds
# again with one busy process on every processor. A benchmark, not a test: it takes about six
# minutes and fails nothing.
set -euo pipefail
export TAVERO_PIN=1
source "$(dirname "$0")/machine.sh"

tavero_install_packages
tavero_build win
tavero_start_wine own
pinned=()
[ ${#tavero_pin[@]} -gt 0 ] && pinned=(--pinned)
bench() {
    "${tavero_pin[@]}" wine "$tavero_root/build/win/bench/bench.exe" "${pinned[@]}" "$@" \
        </dev/null 2>/dev/null | tr -d '\r'
}
figures=$(bench "$@")

# A busy machine: one process that never sleeps on each processor, for as long as the latency
# and holds are measured again.
load=()
trap 'kill "${load[@]}" 2>/dev/null || true; tavero_stop_wine' EXIT
for cpu in $(seq 0 $(($(nproc) - 1))); do
    if command -v taskset >/dev/null; then taskset -c "$cpu" yes >/dev/null & else yes >/dev/null & fi
    load+=($!)
done
busy_figures=$(bench --busy "$@")
kill "${load[@]}"

cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')
memory=$(free -h | awk '/^Mem:/ {print $2}')
cat >"$tavero_root/BENCHMARKS.md" <<MD
# Benchmarks

Measured by \`bash scripts/bench.sh\` (it rewrites this file) on $(date -u +%Y-%m-%d):
$(nproc) cores of ${cpu:-an unknown processor}, $memory of memory, $(wine --version 2>/dev/null),
Xvfb, no window manager.

Each figure is compared with a floor built from the same tree and measured in the same run,
alternating with the program run by run:

- Start-up: from process start to the title strip on the screen, as a user waits for it (a
  pixel of the strip, looked at every millisecond, shows the strip's green), and to rest (the
  process waits for input with nothing left to paint), against an equivalent bare window:
  borderless, the same child windows of the same kinds in the same places, the same ten hidden
  windows and manifest, shown and painted, with no logic. Both are closed as a user closes them
  between runs: a process killed leaves its hooks and icon to be cleaned up lazily, which delays
  whichever starts next. The first row is the one the target applies to.
- Latency: from the hotkey's key going in to the first key-down of the action's key B in a
  focused window, against an equivalent responder: a hidden window that registers a hotkey,
  listens to the keyboard's raw input as the program does while armed, and on WM_HOTKEY makes
  the releases of the hotkey's modifiers that the program makes for the same key state (by the
  program's own rule, both keys of each under Wine), then sends B with SendInput the way the
  program does (scan codes from the focused application's layout), holds it 100 ms and releases
  it. A bare responder, which sends B alone, shows what those releases cost.
- Use: the working set after start, after a first use and after all of it (growth after the
  first use would be a leak), the CPU the idle program takes before and after, the CPU it takes
  following the focus with rows armed only in some programs (the focus moving twice a second
  between two windows; under Wine, which tells no other process when the focus moves, the
  program looks four times a second while such rows are armed; measured while the benchmark
  sleeps, since under Wine a process pumping its messages every few milliseconds costs every
  other windowed process some CPU, a bare window's too), and how long a quit takes to save a
  50 MB set.ini whole.
- How a row presses, measured in the input stream against the program's own targets: a row
  that holds while its hotkey is held (how late its key goes up after the hotkey's key does;
  below zero where the benchmark's hook saw the hotkey's key-up after the program heard it), a
  row that repeats (its first repetition and its period against the keyboard's delay and rate
  the system gives), a tap of the row's own 350 ms (never short), and the CPU of a row armed to
  hold that holds nothing.

$figures

Targets: start-up and latency medians within 1.10 of their floors (latency p99 within 1.2),
holds within 2 ms, a held row let go of within 20 ms at p99, repetitions at the system's delay
and rate, idle CPU 0 ms, no growth of memory or objects with use.

## The exe's size

From 458,752 bytes (2026-12-10, before) to what the table says, within the 400 KiB
(409,600-byte) budget a test of the Windows tree holds it to. The three biggest savings, from a
linker map: libstdc++'s helpers that throw its own errors gave way to ones that throw an error of
the program's (they brought the library's exception classes, their strings of the old kind and
its formatting: 40 KiB); the key engine's two threads are the system's (the library's threading
runtime: 24 KiB); numbers are written by the program (the C library's formatted printing, with
its floating point: 22 KiB). The key engine is compiled for speed all the same (10 KiB of it).

## On a busy machine

The same presses while $(nproc) processes that never sleep keep every processor busy, one on
each; the program, its floors and the Wine server share their processor with one of them.

$busy_figures

Targets: never short; p99 lateness under 5 ms; latency medians within 1.10 of the floor's under
the same load.
MD
cat "$tavero_root/BENCHMARKS.md"
