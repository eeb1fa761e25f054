#!/usr/bin/env bash
# The test command's display: with DISPLAY naming a desktop that exists, the Windows tests still
# get a virtual display of their own, and no window of theirs appears on that desktop.
# Exit 77 (skipped) where Xvfb, Wine or xwininfo is missing.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
for tool in Xvfb wine xwininfo; do command -v "$tool" >/dev/null || exit 77; done

# A stand-in for the user's desktop.
source "$root/scripts/machine.sh"
tavero_start_xvfb 70 800x600x24
desktop_pid=$tavero_xvfb_pid
desktop=$tavero_xvfb_display
out=$(mktemp -d)
trap 'kill $desktop_pid 2>/dev/null; rm -rf "$out"' EXIT

# What the test command does with it, up to its first window: Wine's notepad stands in for the
# tests' windows.
DISPLAY=$desktop bash -c '
    source "$1/scripts/machine.sh"
    tavero_start_wine own
    echo "$DISPLAY" >"$2/display"
    wine notepad </dev/null >/dev/null 2>&1 &
    for _ in $(seq 150); do
        xwininfo -root -tree 2>/dev/null | grep -qi notepad && break
        sleep 0.1
    done
    xwininfo -root -tree 2>/dev/null | grep -ci notepad >"$2/own"
    xwininfo -display "$3" -root -children 2>/dev/null | grep -c "^ *0x" >"$2/desktop"
' _ "$root" "$out" "$desktop"
used=$(cat "$out/display")
own=$(cat "$out/own")
on_desktop=$(cat "$out/desktop")

status=0
if [ "$used" = "$desktop" ]; then echo "the tests used the desktop $desktop"; status=1; fi
if [ "$own" -eq 0 ]; then echo "no window appeared on the tests' own display $used"; status=1; fi
if [ "$on_desktop" -ne 0 ]; then echo "$on_desktop windows appeared on the desktop"; status=1; fi
[ $status -eq 0 ] && echo "the tests ran on $used; the desktop $desktop stayed empty"
exit $status
