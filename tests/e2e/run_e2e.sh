#!/usr/bin/env bash
# Runs e2e_test.py against the built program: its own Xvfb on a free display, a private D-Bus
# session with the accessibility bus, and afterwards a check that nothing it started is left.
# Usage: run_e2e.sh PATH_TO_VELKORA
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" = --inside-session ]; then
    velkora=$2
    ps -o sid= -p $$ | tr -d ' ' >"$3"
    source "$here/../../tools/xvfb.sh"
    start_xvfb || { echo "Xvfb did not start"; exit 1; }
    xvfb=$XVFB_PID
    # Start the accessibility bus before the program, so that the program finds it through
    # the session bus (with AT_SPI_BUS_ADDRESS set instead it joins but publishes nothing).
    unset AT_SPI_BUS_ADDRESS
    dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
    status=0
    /usr/bin/python3 "$here/e2e_test.py" "$velkora" || status=$?
    kill "$xvfb"
    wait "$xvfb" 2>/dev/null
    # The accessibility bus launcher and registry would outlive the session bus by a moment.
    pkill -TERM -s 0 -f 'at-spi' 2>/dev/null
    exit "$status"
fi

velkora=$1
missing=()
for tool in Xvfb xdotool dbus-run-session dbus-send import convert setsid pgrep; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || missing+=("python3-pyatspi")
[ ${#missing[@]} -eq 0 ] || { echo "missing for the end-to-end test: ${missing[*]}"; exit 1; }

# A session of its own, so that every process it starts can be found afterwards.
sidfile=$(mktemp)
setsid -w dbus-run-session -- bash "$0" --inside-session "$velkora" "$sidfile" 2>&1 \
    | grep --line-buffered -v -e 'fd limit' -e 'Activating service' -e 'Successfully activated' \
        -e XDG_RUNTIME_DIR -e 'SpiRegistry daemon' -e 'Failed to launch bus'
status=${PIPESTATUS[0]}
sid=$(cat "$sidfile")
rm -f "$sidfile"
sleep 0.5
# Exited processes that only wait to be reaped (zombies) are gone already.
leftover=$([ -n "$sid" ] && ps -e -o pid=,sid=,stat= | awk -v sid="$sid" '$2 == sid && $3 !~ /^Z/ {print $1}')
if [ -n "$leftover" ]; then
    echo "FAIL: processes left behind:"
    ps -o pid,args -p "$(echo $leftover | tr ' ' ,)"
    kill -9 $leftover
    exit 1
fi
exit "$status"
