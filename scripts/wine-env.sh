# Sourced by the scripts. Chooses the Windows build that this machine can run
# under Wine: the i686 program (the deliverable) where the kernel runs 32-bit
# code, else the same program built for x86_64 under the 64-bit Wine. Gives
# that tree a Wine prefix of its own and provides an X display (a virtual one
# when none is there). The test suite's fixtures (scripts/wine-session.sh)
# take the same steps.

if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    WINE_TREE=build/win
    WINE=/usr/lib/wine/wine
else
    WINE_TREE=build/win64
    WINE=/usr/lib/wine/wine64
fi
export WINE_TREE WINE
export WINEPREFIX="$PWD/$WINE_TREE/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

display_answers() {
    [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

# Starts a virtual display on a number the server finds free, detached from
# the caller's output and session, and sets DISPLAY and XVFB_PID.
start_virtual_display() {
    local number_file number
    number_file=$(mktemp)
    # Started from a script, setsid is no group leader: it becomes Xvfb itself.
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" </dev/null >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do [ -s "$number_file" ] && break; sleep 0.1; done
    number=$(tr -dc '0-9' <"$number_file")
    rm -f "$number_file"
    [ -n "$number" ] || return 1
    export DISPLAY=":$number" XVFB_PID
    display_answers
}

ensure_display() {
    display_answers && return 0
    start_virtual_display || return 1
    trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
}

ensure_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        "$WINE" wineboot -i >/dev/null 2>&1 || true
        /usr/lib/wine/wineserver -w || true
    fi
    # The caption buttons are drawn with the symbol font of Debian's
    # fonts-wine, which this Wine finds only among the prefix's own fonts.
    local symbols=/usr/share/wine/fonts/marlett.ttf
    if [ -f "$symbols" ] && [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
        cp "$symbols" "$WINEPREFIX/drive_c/windows/Fonts/" || true
    fi
    # Without a window manager Wine waits about 2 s for every top-level window
    # it hides, which no Windows desktop does; unmanaged windows do not wait.
    if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
        "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
        /usr/lib/wine/wineserver -w || true
    fi
    [ -f "$WINEPREFIX/system.reg" ] && grep -q '"Managed"="N"' "$WINEPREFIX/user.reg"
}
