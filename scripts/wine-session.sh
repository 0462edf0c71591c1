#!/usr/bin/env bash
# The Wine tests' fixtures and launcher, as cmake/Windows.cmake declares them,
# so that each Wine test runs alone (ctest -R <name>) as it does in the whole
# suite. A build tree's session folder names the X display its tests use,
# holds the process of a virtual display that a fixture started, and lists
# the ctest runs using both: the last one to end stops them.
#   wine-session.sh display-up <session>        the caller's display when it answers, else a virtual one
#   wine-session.sh prefix-up <session> <wine>  $WINEPREFIX made as the tests need it
#   wine-session.sh down <session>              ends the prefix's Wine processes, then a display started here
#   wine-session.sh run <session> <command...>  the command on the session's display
set -uo pipefail
action=${1:?action}
session=${2:?session folder}
shift 2
prefix=${WINEPREFIX:-}
source "$(dirname "$0")/wine-env.sh"
export WINEPREFIX=$prefix

# The ctest runs using the session: the callers of the fixtures, while alive.
# Prints those left after adding (+) or removing (-) the caller.
users() {
    (
        flock 9
        for pid in $(cat "$session/users" 2>/dev/null) "$1$PPID"; do
            case $pid in
            -*) ;;
            +*) echo "${pid#+}" ;;
            *) [ "$pid" != "$PPID" ] && kill -0 "$pid" 2>/dev/null && echo "$pid" ;;
            esac
        done | sort -u >"$session/users.new"
        mv "$session/users.new" "$session/users"
        cat "$session/users"
    ) 9>"$session/lock"
}

case $action in
display-up)
    mkdir -p "$session"
    users + >/dev/null
    # A display of an earlier run that was not ended serves again.
    if [ -s "$session/display" ] && DISPLAY=$(cat "$session/display") display_answers; then exit 0; fi
    rm -f "$session/display" "$session/xvfb.pid"
    if ! display_answers; then
        start_virtual_display || { echo "wine-session: Xvfb did not start" >&2; exit 1; }
        echo "$XVFB_PID" >"$session/xvfb.pid"
        echo "started the virtual display $DISPLAY"
    fi
    echo "$DISPLAY" >"$session/display"
    ;;
prefix-up)
    [ -n "$prefix" ] || { echo "wine-session: WINEPREFIX is not set" >&2; exit 1; }
    export DISPLAY
    DISPLAY=$(cat "$session/display" 2>/dev/null)
    WINE=${1:?wine} ensure_prefix || { echo "wine-session: the prefix $prefix could not be made" >&2; exit 1; }
    ;;
down)
    mkdir -p "$session"
    [ -n "$(users -)" ] && exit 0   # another run still uses them
    [ -n "$prefix" ] && /usr/lib/wine/wineserver -k 2>/dev/null
    if [ -s "$session/xvfb.pid" ]; then
        kill "$(cat "$session/xvfb.pid")" 2>/dev/null
        echo "stopped the virtual display $(cat "$session/display")"
    fi
    rm -f "$session/display" "$session/xvfb.pid"
    ;;
run)
    [ -s "$session/display" ] || { echo "wine-session: no display; the wine_display fixture did not run" >&2; exit 1; }
    DISPLAY=$(cat "$session/display")
    export DISPLAY
    exec "$@"
    ;;
*)
    echo "wine-session: unknown action '$action'" >&2
    exit 2
    ;;
esac
exit 0
