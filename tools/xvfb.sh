# Sourced, not run: start_xvfb starts a private Xvfb on a free display (Xvfb picks it and says
# which), 1280 x 1024 unless given another size, exports DISPLAY and sets XVFB_PID. It fails
# when no display came up.
start_xvfb() {
    local size=${1:-1280x1024} answer
    answer=$(mktemp)
    Xvfb -displayfd 1 -screen 0 "${size}x24" -nolisten tcp >"$answer" 2>/dev/null &
    XVFB_PID=$!
    for _ in $(seq 100); do [ -s "$answer" ] && break; sleep 0.05; done
    DISPLAY=":$(head -n 1 "$answer")"
    rm -f "$answer"
    export DISPLAY
    [ "$DISPLAY" != ":" ]
}
