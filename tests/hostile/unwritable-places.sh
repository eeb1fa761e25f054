#!/bin/sh
# Sets up (or removes) programs where set.ini cannot be written: in an unwritable folder,
# beside an unwritable set.ini, and on a full volume. Unix permissions do not stop root, so the
# immutable attribute does the job; the full volume is a small tmpfs. Where the system offers
# neither, a marker tells the tests to skip.
#   unwritable-places.sh setup|cleanup DIR EXE
set -u
action=$1 dir=$2 exe=${3:-}
settings='[conftext]\r\n0=Kept \r\n[conftooltip]\r\n0=1|65\r\n'
case "$action" in
setup)
    "$0" cleanup "$dir"
    mkdir -p "$dir/folder" "$dir/file" "$dir/full"
    # The folder holds no set.ini, and none can be made in it; the file exists and is frozen.
    cp "$exe" "$dir/folder/TaveroMirelle.exe"
    cp "$exe" "$dir/file/TaveroMirelle.exe"
    printf "$settings" >"$dir/file/set.ini"
    if ! chattr +i "$dir/file/set.ini" 2>/dev/null || ! chattr +i "$dir/folder" 2>/dev/null; then
        touch "$dir/unsupported"
    fi
    # The volume holds the program and its set.ini, and not one byte more.
    if mount -t tmpfs -o size=1m tavero-full "$dir/full" 2>/dev/null; then
        cp "$exe" "$dir/full/TaveroMirelle.exe"
        printf "$settings" >"$dir/full/set.ini"
        dd if=/dev/zero of="$dir/full/filler" bs=4096 2>/dev/null
    else
        touch "$dir/full-unsupported"
    fi
    ;;
cleanup)
    [ -d "$dir" ] || exit 0
    chattr -i "$dir/file/set.ini" "$dir/folder" 2>/dev/null
    umount "$dir/full" 2>/dev/null
    rm -rf "$dir"
    ;;
esac
exit 0
