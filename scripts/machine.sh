# Shared by the run and test commands: installs what the build needs on a Debian machine and
# brings up a virtual display with a persistent Wine server. Source it, then call the functions.

tavero_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

tavero_install_packages() {
    local need=()
    command -v cmake >/dev/null || need+=(cmake)
    command -v g++ >/dev/null || need+=(g++)
    [ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
    [ -f /usr/include/gtest/gtest.h ] || need+=(libgtest-dev)
    command -v x86_64-w64-mingw32-g++-posix >/dev/null ||
        need+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)
    command -v wine >/dev/null || need+=(wine wine64)
    command -v Xvfb >/dev/null || need+=(xvfb)
    command -v import >/dev/null || need+=(imagemagick)
    command -v xwininfo >/dev/null || need+=(x11-utils)
    # The link check of the MSVC branch: a resource compiler and linker of MSVC's kind.
    command -v llvm-rc >/dev/null || need+=(llvm)
    command -v lld-link >/dev/null || need+=(lld)
    command -v clang >/dev/null || need+=(clang)
    # libFuzzer and the sanitizers' runtime for clang.
    compgen -G '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a' >/dev/null ||
        need+=(libclang-rt-dev)
    if [ ${#need[@]} -gt 0 ]; then
        if [ "$(id -u)" -ne 0 ]; then
            echo "missing: ${need[*]}; run this command once as root (it installs them), then again" >&2
            exit 1
        fi
        echo "installing: ${need[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq "${need[@]}" >/dev/null
    fi
}

tavero_build() {  # tavero_build native|sanitize|win
    local tree=$1 dir="$tavero_root/build/$1" args=()
    # The cross build takes Debian's GoogleTest sources; the native one its installed package.
    [ "$tree" = win ] && args+=(-DCMAKE_TOOLCHAIN_FILE="$tavero_root/cmake/mingw-w64-x86_64.cmake"
                                -DGOOGLETEST_SOURCE_DIR=/usr/src/googletest)
    # The platform-free code under the sanitizers, and the fuzz targets: clang's.
    [ "$tree" = sanitize ] && args+=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
                                     -DTAVERO_SANITIZE=ON)
    cmake -S "$tavero_root" -B "$dir" -DCMAKE_BUILD_TYPE=Release "${args[@]}" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
}

# With TAVERO_PIN set, Xvfb, the Wine server and what runs under them share one processor, where
# taskset exists: timings on several processors depend on where each lands.
tavero_pin=()
if [ -n "${TAVERO_PIN:-}" ] && command -v taskset >/dev/null; then
    tavero_pin=(taskset -c 1)
fi

# A virtual display on the first free number from FIRST: its name in tavero_xvfb_display, its
# process in tavero_xvfb_pid.
tavero_start_xvfb() {  # tavero_start_xvfb FIRST WIDTHxHEIGHTxDEPTH
    local n=$1
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    "${tavero_pin[@]}" Xvfb ":$n" -screen 0 "$2" -nolisten tcp </dev/null >/dev/null 2>&1 &
    tavero_xvfb_pid=$!
    tavero_xvfb_display=":$n"
    for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
}

# Xvfb and the Wine server get their streams on /dev/null: a daemon that held the caller's
# output pipe would keep whoever reads it (ctest, CI) waiting. Both stop when the shell exits.
#   tavero_start_wine own      a virtual display of its own, whatever DISPLAY says: the tests and
#                              the benchmark send keys and clicks, which must never reach the
#                              user's own desktop
#   tavero_start_wine desktop  the display DISPLAY names, with the program's windows managed by
#                              the desktop's window manager as any other program's
tavero_start_wine() {
    local where=$1
    export WINEPREFIX="$tavero_root/build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ "$where" = own ]; then
        tavero_start_xvfb 90 1280x1024x24
        export DISPLAY=$tavero_xvfb_display
    fi
    trap tavero_stop_wine EXIT
    mkdir -p "$WINEPREFIX"
    "${tavero_pin[@]}" wineserver -p </dev/null >/dev/null 2>&1 || true
    wine wineboot </dev/null >/dev/null 2>&1
    local x11='HKCU\Software\Wine\X11 Driver'
    if [ "$where" = own ]; then
        # No window manager runs there, and without one Wine waits 2 s for it at every hide of a
        # managed window.
        wine reg add "$x11" /v Managed /d N /f </dev/null >/dev/null 2>&1
        # A process that crashes ends at once, its crash said on the output: Wine's own debugger,
        # started by default, hangs here, holding the output pipe of whoever runs the tests.
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger \
            /d '' /f </dev/null >/dev/null 2>&1
    else
        wine reg delete "$x11" /v Managed /f </dev/null >/dev/null 2>&1 || true
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger \
            /d 'winedbg --auto %ld %ld' /f </dev/null >/dev/null 2>&1
    fi
}

tavero_stop_wine() {
    wineserver -k </dev/null >/dev/null 2>&1 || true
    if [ -n "${tavero_xvfb_pid:-}" ]; then
        kill "$tavero_xvfb_pid" 2>/dev/null || true
    fi
}
