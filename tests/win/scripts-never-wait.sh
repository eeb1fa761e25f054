#!/usr/bin/env bash
# A command line the program does not understand, from a script that sends its output anywhere
# (nowhere, a file, a pipe): the list of commands goes there and the exe returns 2 at once; a
# message box would wait for a click that never comes. Under Wine, as a script runs it there.
exe=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$exe" "$dir/TaveroMirelle.exe"
failed=0
check() {  # check WHERE CODE
    if [ "$2" != 2 ]; then
        echo "output to $1: exit code $2, not 2${3:+ ($3)}"
        failed=1
    fi
}
run() { timeout 20 wine "$dir/TaveroMirelle.exe" /bogus </dev/null 2>/dev/null; }

run >/dev/null
check nowhere $? "124 is a wait that never ended"
run >"$dir/file"
check "a file" $?
grep -q '/pause' "$dir/file" || { echo "the file holds no list of commands"; failed=1; }
run | cat >"$dir/piped"
check "a pipe" "${PIPESTATUS[0]}"
grep -q '/pause' "$dir/piped" || { echo "the pipe got no list of commands"; failed=1; }
exit $failed
