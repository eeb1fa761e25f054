#!/bin/sh
# Runs a Windows program under Wine for ctest. Output goes through a file, not the pipe ctest
# reads: helper processes that Wine starts on first use (the desktop, services) inherit the
# program's streams and would otherwise keep ctest waiting for the pipe to close.
out=$(mktemp)
wine "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
