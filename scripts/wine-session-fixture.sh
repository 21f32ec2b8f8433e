#!/usr/bin/env bash
# The display and Wine session of a bare `ctest` run, as its set-up and
# clean-up tests: every test that runs a program under Wine requires them.
# Usage: wine-session-fixture.sh start|stop SESSION_FILE
#
# start: where DISPLAY and WINEPREFIX are already served (scripts/test.sh
#   exports both for its own session), it uses them and starts nothing.
#   Otherwise it starts an Xvfb display and a warm wineserver on the usual
#   prefix and writes what it started, with the Wine settings the test
#   command would export, to SESSION_FILE, which scripts/wine-run reads.
#   Either way the prefix and its 144-dpi copy are made if missing.
# stop: stops what SESSION_FILE says this fixture started, and nothing else.
set -euo pipefail
action=$1
session=$2

# Stops the display and server a session file lists, then forgets them. A
# process id is only trusted while it still names the Xvfb that was started.
stop_session() {
    [[ -f $session ]] || return 0
    local started_display started_prefix xvfb_pid own_wineserver
    started_display=$(sed -n 's/^DISPLAY=//p' "$session")
    started_prefix=$(sed -n 's/^WINEPREFIX=//p' "$session")
    xvfb_pid=$(sed -n 's/^VELK_XVFB_PID=//p' "$session")
    own_wineserver=$(sed -n 's/^VELK_OWN_WINESERVER=//p' "$session")
    if [[ $own_wineserver == 1 ]]; then
        WINEPREFIX=$started_prefix /usr/lib/wine/wineserver64 -k 2>/dev/null || true
    fi
    if [[ -n $xvfb_pid && "$(cat "/proc/$xvfb_pid/comm" 2>/dev/null)" == Xvfb ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
    fi
    rm -f "$session"
    echo "wine session: stopped display $started_display and its server on $started_prefix"
}

# An X server on DISPLAY and a prefix this project made at WINEPREFIX, as the
# test command exports them. Any other prefix is left untouched: making a
# prefix starts by emptying its folder.
served() {
    [[ -n ${DISPLAY:-} && -f ${WINEPREFIX:-}/.velk-ready ]] || return 1
    local number=${DISPLAY#:}
    number=${number%%.*}
    [[ -S /tmp/.X11-unix/X$number ]]
}

case $action in
start)
    # A session an interrupted run left behind is this fixture's own.
    stop_session
    if served; then
        served_prefix=$WINEPREFIX
        # shellcheck source=wine-session.sh
        source "$(dirname "$0")/wine-session.sh"
        export WINEPREFIX=$served_prefix
        velk_make_dpi_prefix 144
        echo "wine session: using display $DISPLAY and prefix $WINEPREFIX as they are"
        exit 0
    fi
    unset DISPLAY
    # shellcheck source=wine-session.sh
    source "$(dirname "$0")/wine-session.sh"
    # The copy at 144 dpi is made while no server holds the first prefix.
    velk_make_dpi_prefix 144
    # ctest goes on once this script ends: the display and the server must
    # hold none of its output open.
    velk_wine_start >/dev/null 2>&1 </dev/null
    mkdir -p "$(dirname "$session")"
    {
        echo "DISPLAY=$DISPLAY"
        echo "WINEPREFIX=$WINEPREFIX"
        echo "WINEARCH=$WINEARCH"
        echo "WINEDEBUG=$WINEDEBUG"
        echo "WINEDLLOVERRIDES=$WINEDLLOVERRIDES"
        if [[ -n ${LC_ALL:-} ]]; then echo "LC_ALL=$LC_ALL"; fi
        echo "VELK_XVFB_PID=$VELK_XVFB_PID"
        echo "VELK_OWN_WINESERVER=$VELK_OWN_WINESERVER"
    } >"$session"
    echo "wine session: started display $DISPLAY, server on $WINEPREFIX (own server: $VELK_OWN_WINESERVER)"
    ;;
stop)
    stop_session
    ;;
*)
    echo "usage: wine-session-fixture.sh start|stop SESSION_FILE" >&2
    exit 2
    ;;
esac
