#!/usr/bin/env bash
# Memory of the running program over many calculate/clear cycles, 3 in 10 of them answering a
# message box with Enter, typed in with xdotool on a private Xvfb: resident memory at the
# start (after a warm-up) and at the end, and the growth per 1,000 cycles. With "a11y" the
# program runs in a D-Bus session with the accessibility bus, as under a screen reader.
# Usage: bench/memory_benchmark.sh [CYCLES] [plain|a11y] [BUILD_DIR]   (2000, plain, build/default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cycles=${1:-2000}
mode=${2:-plain}
build=${3:-$root/build/default}
[ -x "$build/velkora" ] || { echo "build first: $build/velkora is missing"; exit 1; }

if [ "$mode" = a11y ] && [ -z "${VELKORA_IN_SESSION:-}" ]; then
    export VELKORA_IN_SESSION=1
    # The bus daemons talk on standard error; the figures come on standard output.
    exec dbus-run-session -- bash "$0" "$cycles" "$mode" "$build" 2>/dev/null
fi
if [ "$mode" = a11y ]; then
    unset AT_SPI_BUS_ADDRESS
    dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
fi

scratch=$(mktemp -d)
source "$root/tools/xvfb.sh"
start_xvfb
xvfb=$XVFB_PID
export QT_QPA_PLATFORM=xcb
"$build/velkora" 2>/dev/null &
program=$!
trap 'kill $program $xvfb 2>/dev/null; rm -rf "$scratch"' EXIT
window=$(xdotool search --sync --onlyvisible --name Velkora | head -n 1)
xdotool windowfocus --sync "$window" 2>/dev/null || true

rss() { awk '/^VmRSS:/ {print $2}' "/proc/$program/status"; }
# One cycle: a calculation and Clear, or (3 in 10) Calculate with no door type, whose box is
# answered with Enter, then Clear.
cycle() {
    if [ $(($1 % 10)) -lt 3 ]; then
        xdotool key --delay 1 4 2 Tab 4 0 0 alt+a
        sleep 0.05
        xdotool key --delay 1 Return alt+l alt+i
    else
        xdotool key --delay 1 4 2 Tab 4 0 0 alt+s Return alt+l alt+i
    fi
}
for i in $(seq 50); do cycle "$i"; done
sleep 1
start=$(rss)
for i in $(seq "$cycles"); do cycle "$i"; done
sleep 1
kill -0 $program 2>/dev/null || { echo "the program ended during the run"; exit 1; }
end=$(rss)
python3 - "$cycles" "$start" "$end" "$mode" <<'PY'
import sys
cycles, start, end, mode = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
print(f"{mode}: {cycles} cycles, {cycles * 3 // 10} message boxes; RSS {start / 1024:.1f} MB -> {end / 1024:.1f} MB, "
      f"{(end - start) / 1024 / cycles * 1000:+.2f} MB per 1,000 cycles")
PY
