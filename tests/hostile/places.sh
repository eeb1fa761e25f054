#!/bin/sh
# Sets up (or removes) the places the program is tested in that a test program cannot make
# from inside Wine:
#  - where set.ini cannot be written: an unwritable folder, beside an unwritable set.ini, a full
#    volume. Unix permissions do not stop root, so the immutable attribute does the job; the full
#    volume is a small tmpfs;
#  - one folder by other paths: a symbolic link to it, and a second drive letter for it;
#  - an exe started by a symbolic link to it in another folder;
#  - a set.ini that is a symbolic link to a file in another folder.
# Where the system offers none of a kind, a marker tells the tests to skip.
#   places.sh setup|cleanup DIR EXE
set -u
action=$1 dir=$2 exe=${3:-}
settings='[conftext]\r\n0=Kept \r\n[conftooltip]\r\n0=1|65\r\n'
drive_marker="$dir/drive-letter"
case "$action" in
setup)
    "$0" cleanup "$dir"
    mkdir -p "$dir/folder" "$dir/file" "$dir/full" "$dir/linked/real" "$dir/link-file/program" \
        "$dir/link-file/elsewhere"
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
    # One folder, three ways in: its own path, a link to it, a drive letter of its own.
    cp "$exe" "$dir/linked/real/TaveroMirelle.exe"
    printf "$settings" >"$dir/linked/real/set.ini"
    ln -s real "$dir/linked/via"
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX/dosdevices" ]; then
        for letter in t u v w x y; do
            if [ ! -e "$WINEPREFIX/dosdevices/$letter:" ]; then
                ln -s "$dir/linked/real" "$WINEPREFIX/dosdevices/$letter:"
                echo "$letter" >"$drive_marker"
                break
            fi
        done
    fi
    # An exe started by a link to it in another folder, as winget's alias is.
    mkdir -p "$dir/exe-link/pkg" "$dir/exe-link/Links"
    cp "$exe" "$dir/exe-link/pkg/TaveroMirelle.exe"
    ln -s ../pkg/TaveroMirelle.exe "$dir/exe-link/Links/taveromirelle.exe"
    # A set.ini that is a link to a file kept elsewhere.
    cp "$exe" "$dir/link-file/program/TaveroMirelle.exe"
    printf "$settings" >"$dir/link-file/elsewhere/set.ini"
    ln -s ../elsewhere/set.ini "$dir/link-file/program/set.ini"
    ;;
cleanup)
    [ -d "$dir" ] || exit 0
    chattr -i "$dir/file/set.ini" "$dir/folder" 2>/dev/null
    umount "$dir/full" 2>/dev/null
    if [ -f "$drive_marker" ] && [ -n "${WINEPREFIX:-}" ]; then
        rm -f "$WINEPREFIX/dosdevices/$(cat "$drive_marker"):"
    fi
    rm -rf "$dir"
    ;;
esac
exit 0
