#!/usr/bin/env bash
# How the program starts where it can and says why where it cannot: no display at all, a
# display that does not answer, a window larger than the screen (scale factor 3 on 1280 x 1024),
# and a Wayland desktop (a headless Weston compositor).
# Usage: startup_test.sh PATH_TO_VELKORA
set -uo pipefail
velkora=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
scratch=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$scratch"' EXIT

# expect_refusal DESCRIPTION ENV...: the program ends at once with status 1 and one line.
expect_refusal() {
    local what=$1
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" timeout 20 "$velkora" >"$scratch/out" 2>"$scratch/err"
    local status=$?
    [ "$status" -eq 1 ] || fail "$what: exit status $status, not 1: $(cat "$scratch/err")"
    [ "$(wc -l <"$scratch/err")" -eq 1 ] || fail "$what: not one line:"$'\n'"$(cat "$scratch/err")"
    grep -q '^velkora: cannot open a window: no display' "$scratch/err" || fail "$what: $(cat "$scratch/err")"
    echo "refused as it should, $what"
}
expect_refusal "no display"
expect_refusal "DISPLAY at nothing" DISPLAY=:97
expect_refusal "WAYLAND_DISPLAY at nothing" WAYLAND_DISPLAY=velkora-none XDG_RUNTIME_DIR="$scratch"

# A window larger than the screen keeps its title bar and first controls on the screen.
source "$(dirname "$0")/../tools/xvfb.sh"
start_xvfb || fail "Xvfb did not start"
pids+=("$XVFB_PID")
display=$DISPLAY
unset DISPLAY
DISPLAY=$display QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=3 "$velkora" 2>/dev/null &
pids+=($!)
window=$(DISPLAY=$display timeout 20 xdotool search --sync --onlyvisible --name Velkora | head -n 1)
[ -n "$window" ] || fail "no window at scale factor 3"
geometry=$(DISPLAY=$display xdotool getwindowgeometry --shell "$window")
eval "$geometry"
[ "$WIDTH" -ge 1800 ] || fail "not scaled: $geometry"
[ "$X" -ge 0 ] && [ "$Y" -ge 0 ] || fail "the window's corner is off the screen: $geometry"
echo "at scale 3: ${WIDTH}x${HEIGHT} at $X,$Y"

# On a Wayland desktop the window opens there natively: it gets a title and shows a buffer.
if command -v weston >/dev/null && [ -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so ]; then
    export XDG_RUNTIME_DIR=$scratch/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    weston --backend=headless-backend.so --socket=velkora-test --idle-time=0 >"$scratch/weston.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/velkora-test" ] && break; sleep 0.05; done
    [ -S "$XDG_RUNTIME_DIR/velkora-test" ] || fail "weston did not start: $(tail -5 "$scratch/weston.log")"
    env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY=velkora-test WAYLAND_DEBUG=client "$velkora" 2>"$scratch/wayland" &
    pids+=($!)
    for _ in $(seq 100); do grep -q 'wl_surface@[0-9]*\.attach' "$scratch/wayland" && break; sleep 0.1; done
    grep -q 'set_title(" Velkora' "$scratch/wayland" || fail "no Wayland window titled Velkora"
    grep -q 'wl_surface@[0-9]*\.attach' "$scratch/wayland" || fail "the Wayland window shows nothing"
    echo "opened on Wayland"
else
    echo "weston or Qt's Wayland plugin is not installed: Wayland not tried"
fi
