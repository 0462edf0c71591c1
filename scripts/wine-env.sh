# Sourced by the scripts. Chooses the Windows build that this machine can run
# under Wine: the i686 program (the deliverable) where the kernel runs 32-bit
# code, else the same program built for x86_64 under the 64-bit Wine. Gives
# that tree a Wine prefix of its own and provides an X display (a virtual one
# when none is there).

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

ensure_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
    local n=97
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
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
}
