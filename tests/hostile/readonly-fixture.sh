#!/bin/sh
# Sets up (or removes) programs in an unwritable folder and beside an unwritable set.ini.
# Unix permissions do not stop root, so the immutable attribute does the job; where the file
# system has no such attribute, a marker tells the tests to skip.
#   readonly-fixture.sh setup|cleanup DIR EXE
set -u
action=$1 dir=$2 exe=${3:-}
case "$action" in
setup)
    "$0" cleanup "$dir"
    mkdir -p "$dir/folder" "$dir/file"
    # The folder holds no set.ini, and none can be made in it; the file exists and is frozen.
    cp "$exe" "$dir/folder/TaveroMirelle.exe"
    cp "$exe" "$dir/file/TaveroMirelle.exe"
    printf '[conftext]\r\n0=Kept \r\n[conftooltip]\r\n0=1|65\r\n' >"$dir/file/set.ini"
    if ! chattr +i "$dir/file/set.ini" 2>/dev/null || ! chattr +i "$dir/folder" 2>/dev/null; then
        touch "$dir/unsupported"
    fi
    ;;
cleanup)
    [ -d "$dir" ] || exit 0
    chattr -i "$dir/file/set.ini" "$dir/folder" 2>/dev/null
    rm -rf "$dir"
    ;;
esac
exit 0
