# Sourced by the test and gallery commands: one Xvfb display and one warm
# wineserver for the whole run, on a Wine prefix made once and kept. Prefixes
# at another display DPI are copies of it, made once and kept beside it.
VELK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VELK_WINE=/usr/lib/wine/wine64
VELK_WINESERVER=/usr/lib/wine/wineserver64
export WINEPREFIX=${VELK_WINEPREFIX:-$VELK_ROOT/build/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: nothing here needs them, and asking for them stalls.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine names Unix files in the locale's character set, and the tests use
# names outside ASCII: a bare environment (the C locale) cannot hold them.
[[ $(locale charmap 2>/dev/null) == UTF-8 ]] || export LC_ALL=C.UTF-8
# The virtual screen, WIDTHxHEIGHT.
VELK_SCREEN=${VELK_SCREEN:-1280x1024}

# A program that crashes ends at once, with its exit code, instead of waiting
# in Wine's crash dialog for a user who never comes. Set once per prefix.
velk_quiet_crashes() {
    [[ -f "$WINEPREFIX/.velk-quiet-crashes" ]] && return 0
    "$VELK_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 &&
        touch "$WINEPREFIX/.velk-quiet-crashes"
}

velk_make_prefix() {
    if [[ -f "$WINEPREFIX/.velk-ready" ]]; then
        velk_quiet_crashes
        return 0
    fi
    echo "Creating the Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    # With wine32 installed, wineboot also sets up the prefix's 32-bit half by
    # running 32-bit programs; where those go through qemu's emulation that
    # takes over five minutes. The x64 tests need none of it: an emulator
    # that refuses to start fails those programs at once, as when wine32 is
    # absent. (A kernel that runs 32-bit code itself does the half in seconds.)
    QEMU_CPU=none "$VELK_WINE" wineboot -i >/dev/null 2>&1 || true
    # Without a window manager, unmanaged windows keep their non-client area
    # inside Wine's surface, so it can be painted and read back.
    "$VELK_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    velk_quiet_crashes
    "$VELK_WINESERVER" -w
    touch "$WINEPREFIX/.velk-ready"
}

# The prefix at another display DPI: beside the first, named after it.
velk_dpi_prefix() {
    echo "$WINEPREFIX-dpi$1"
}

# Copies the first prefix once and sets its display DPI (Wine's LogPixels);
# made again whenever the first prefix is newer than the copy.
velk_make_dpi_prefix() {
    local dpi=$1
    local copy
    copy=$(velk_dpi_prefix "$dpi")
    velk_make_prefix
    [[ -f "$copy/.velk-ready" && "$copy/.velk-ready" -nt "$WINEPREFIX/.velk-ready" ]] && return 0
    echo "Creating the Wine prefix $copy at $dpi dpi"
    rm -rf "$copy"
    cp -a "$WINEPREFIX" "$copy"
    rm -f "$copy/.velk-ready"
    WINEPREFIX=$copy "$VELK_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        >/dev/null 2>&1
    WINEPREFIX=$copy "$VELK_WINESERVER" -w
    touch "$copy/.velk-ready"
}

velk_wine_start() {
    velk_make_prefix
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${VELK_SCREEN}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    VELK_XVFB_PID=$!
    local display
    read -r display <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$display"
    # A server already running on this prefix serves as well; only one that
    # this run started is stopped at the end.
    VELK_OWN_WINESERVER=0
    "$VELK_WINESERVER" -p 2>/dev/null && VELK_OWN_WINESERVER=1
    return 0
}

velk_wine_stop() {
    [[ "${VELK_OWN_WINESERVER:-0}" == 1 ]] && "$VELK_WINESERVER" -k 2>/dev/null
    [[ -n "${VELK_XVFB_PID:-}" ]] && kill "$VELK_XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null || true
}

# ---- The x86 run ----
# Wine's 32-bit loader runs the 32-bit test program: natively where the
# kernel has IA-32 emulation, else through qemu's user-mode emulation
# (scripts/setup.sh sees to which). Under qemu every 32-bit process start
# costs minutes, so only the test program runs as 32-bit code: its prefix is
# a 64-bit one with the 32-bit half set up, whose own services (the desktop,
# services.exe) are 64-bit programs. Making it runs 32-bit set-up programs,
# several minutes under qemu, so it is made once per Wine version and kept
# outside the clone, where later runs and fresh clones find it. One run at a
# time uses it.
VELK_WINE32=/usr/lib/wine/wine

# Why the x86 run cannot happen here; nothing when it can.
velk_x86_unavailable() {
    local binfmt=/proc/sys/fs/binfmt_misc
    if [[ ! -x $VELK_WINE32 ]]; then
        echo "wine32 is not installed"
    elif "$VELK_WINE32" --version >/dev/null 2>&1; then
        return 0
    elif [[ ! -e $binfmt/register ]]; then
        echo "the kernel cannot run 32-bit programs and binfmt_misc could not be mounted for an emulator"
    elif [[ ! -e $binfmt/qemu-i386 ]]; then
        echo "the kernel cannot run 32-bit programs and qemu-i386 could not be registered with binfmt_misc"
    else
        echo "the 32-bit loader does not start: $("$VELK_WINE32" --version 2>&1 | head -n 1)"
    fi
}

velk_x86_cache() {
    local version
    version=$("$VELK_WINE32" --version | sed 's/[^A-Za-z0-9.]\+/-/g; s/-$//')
    echo "${XDG_CACHE_HOME:-$HOME/.cache}/velk/$version"
}

# Creates the prefix of the x86 run unless it is there, with the settings of
# the x64 one; the caller holds the lock.
velk_make_x86_prefix() {
    local prefix=$1
    [[ -f "$prefix/.velk-ready" ]] && return 0
    echo "Creating the Wine prefix of the x86 run, $prefix (once per Wine version)"
    local started=$SECONDS
    rm -rf "$prefix"
    mkdir -p "$prefix"
    # Without Managed=N, Wine leaves the windows to a window manager, and
    # with none there it undoes a maximise once the X server's answer comes
    # back: the prefix is not kept without it.
    local managed
    managed=$(
        export WINEPREFIX=$prefix
        "$VELK_WINE" wineboot -i >/dev/null 2>&1 || true
        "$VELK_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        "$VELK_WINE" reg query 'HKCU\Software\Wine\X11 Driver' /v Managed 2>/dev/null | tr -d '\r'
        "$VELK_WINESERVER" -w
    )
    if ! grep -q 'REG_SZ *N$' <<<"$managed"; then
        echo "The prefix of the x86 run did not take Managed=N" >&2
        return 1
    fi
    touch "$prefix/.velk-ready"
    echo "Prefix of the x86 run created in $((SECONDS - started)) s"
}

# Runs the x86 ctest (arguments as for ctest) on the shared display. The
# 32-bit prefix and its server are set up only when the selection holds a
# program to run under Wine.
velk_x86_tests() {
    local reason
    reason=$(velk_x86_unavailable)
    if [[ -n $reason ]]; then
        echo "x86 tests skipped: $reason"
        ctest --preset x86 -E '^host_test$' "$@"
        return
    fi
    local listed
    listed=$(ctest --preset x86 -N "$@")
    if ! grep -q ' host_test$' <<<"$listed"; then
        ctest --preset x86 "$@"
        return
    fi
    local cache started=$SECONDS status=0
    cache=$(velk_x86_cache)
    mkdir -p "$cache"
    exec 9>"$cache/x86.lock"
    flock -n 9 || { echo "Waiting for another test run's x86 step"; flock 9; }
    if velk_make_x86_prefix "$cache/x86-prefix"; then
        (
            export WINEPREFIX=$cache/x86-prefix
            "$VELK_WINESERVER" -p
            velk_quiet_crashes
            ctest --preset x86 "$@"
        ) || status=$?
        WINEPREFIX=$cache/x86-prefix "$VELK_WINESERVER" -k 2>/dev/null || true
    else
        status=1
    fi
    exec 9>&-
    echo "x86 step: $((SECONDS - started)) s"
    return $status
}
