#!/usr/bin/env bash
# The run command: installs what it needs, builds the program and starts it under Wine from
# build/run/ (where its set.ini is kept). With no display it uses a virtual one, saves a
# screenshot of the running program and ends it.
set -euo pipefail
source "$(dirname "$0")/machine.sh"

tavero_install_packages
tavero_build win
run_dir="$tavero_root/build/run"
mkdir -p "$run_dir"
cp "$tavero_root/build/win/TaveroMirelle.exe" "$run_dir/"

if [ -n "${DISPLAY:-}" ]; then
    tavero_start_wine desktop
    cd "$run_dir"
    echo "Tavero Mirelle is running; quit it from its close button or its tray menu."
    wine ./TaveroMirelle.exe
    exit 0
fi

tavero_start_wine own
cd "$run_dir"
wine ./TaveroMirelle.exe </dev/null >/dev/null 2>&1 &
# Wait for the main window to be mapped, then photograph the screen.
for _ in $(seq 150); do
    if xwininfo -root -tree 2>/dev/null | grep -q '"设置"'; then break; fi
    sleep 0.1
done
sleep 1
shot="$run_dir/screenshot.png"
import -window root "$shot"
echo "No display: the program ran on a virtual one. Screenshot: $shot"
