# Sourced by the test and gallery commands: one Xvfb display and one warm
# wineserver for the whole run, on a Wine prefix made once and kept.
VELK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VELK_WINE=/usr/lib/wine/wine64
VELK_WINESERVER=/usr/lib/wine/wineserver64
export WINEPREFIX=${VELK_WINEPREFIX:-$VELK_ROOT/build/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: nothing here needs them, and asking for them stalls.
export WINEDLLOVERRIDES="mscoree,mshtml="

velk_make_prefix() {
    [[ -f "$WINEPREFIX/.velk-ready" ]] && return 0
    echo "Creating the Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    # With wine32 installed, wineboot would also set up the prefix's 32-bit
    # half by running 32-bit programs, which here go through emulation and
    # take over five minutes. The x64 tests need none of it: an emulator that
    # refuses to start fails those programs at once, as when wine32 is absent.
    QEMU_CPU=none "$VELK_WINE" wineboot -i >/dev/null 2>&1 || true
    # Without a window manager, unmanaged windows keep their non-client area
    # inside Wine's surface, so it can be painted and read back.
    "$VELK_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    "$VELK_WINESERVER" -w
    touch "$WINEPREFIX/.velk-ready"
}

velk_wine_start() {
    velk_make_prefix
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
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

