#!/usr/bin/env bash
# The shipped velkora.exe on a real X display under Wine: typed into with xdotool, read back
# by another process (win32_probe.exe), as a user and an assistive tool meet it.
# Usage: win32_e2e.sh VELKORA_EXE PROBE_EXE SCRATCH_DIR
set -uo pipefail
exe=$1
probe=$2
scratch=$3
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in Xvfb xdotool wine import; do command -v "$tool" >/dev/null || fail "$tool is not installed"; done

mkdir -p "$scratch"
source "$here/../../../tools/xvfb.sh"
start_xvfb || fail "Xvfb did not start"
cleanup() { WINEPREFIX=$scratch/prefix wineserver -k 2>/dev/null; kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; }
trap cleanup EXIT

bash "$here/../../../tools/wine_prefix.sh" "$scratch/prefix" x11 >/dev/null || fail "wine prefix"
export WINEPREFIX=$scratch/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

wine "$exe" &
program=$!
read_back() { wine "$probe" 20 "$@" | tr -d '\r'; }
read_back >/dev/null
# Without a window manager nothing activates the window: the test does.
window=$(xdotool search --sync --onlyvisible --name 'Velkora' | head -n 1)
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 0.3
first=$(read_back)
grep -m 1 ' Edit ' <<<"$first" | grep -q ' focus$' || fail "the caret is not in the inch box at start: $first"

expect() { # expect DESCRIPTION PATTERN...
    local what=$1 seen
    shift
    seen=$(read_back)
    for pattern in "$@"; do
        grep -qF -- "$pattern" <<<"$seen" || fail "$what: no $pattern in"$'\n'"$seen"
    done
}

xdotool type --delay 20 42
xdotool key Tab
xdotool type --delay 20 400
xdotool key alt+s
sleep 0.3
xdotool key Return
sleep 0.5
expect "imperial road" 'Edit "1066.8"' 'Edit "181.437"' 'Static "2.98"' 'Static "4.97"' \
    '"&Side Opening Single Speed" checked' '"C&LEAR" focus'
import -window root "$scratch/imperial.png"

xdotool key alt+m
sleep 0.3
xdotool key ctrl+a
xdotool type --delay 20 1067
xdotool key Tab ctrl+a
xdotool type --delay 20 181
xdotool key Return
sleep 0.5
expect "metric road" 'Edit "42.008"' 'Edit "399.037"' 'Static "2.98"' '"&Metric" checked'
import -window root "$scratch/metric.png"

xdotool key Return
sleep 0.3
xdotool key alt+a
sleep 0.8
expect "clear, then calculate with no door type" 'message "Door Type" "Please select a door type."'
xdotool key Return
sleep 0.3
wine "$probe" 5 close >/dev/null
for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$program" 2>/dev/null || fail "the program did not end when its window was closed"
echo "typed into, read back and closed"

# Started by a user whose Windows speaks French, then Spanish (Wine takes the user's language
# from the locale): the window and its message boxes in that language, its own access keys.
in_language() { # in_language LOCALE DOOR_KEY CLEAR_KEY CAPTION TITLE TEXT SCREENSHOT
    LANG=$1 LC_ALL=$1 wine "$exe" &
    program=$!
    window=$(xdotool search --sync --onlyvisible --name 'Velkora' | head -n 1)
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    sleep 0.3
    xdotool type --delay 20 42
    xdotool key Tab
    xdotool type --delay 20 400
    xdotool key "alt+$2"
    sleep 0.3
    xdotool key Return
    sleep 0.5
    expect "$1" 'Static "2.98"' 'Static "4.97"' "$4"
    import -window root "$scratch/$7"
    xdotool key "alt+$3" alt+a
    sleep 0.8
    expect "$1, calculate with no door type" "message \"$5\" \"$6\""
    xdotool key Return
    wine "$probe" 5 close >/dev/null
    wait "$program"
}
in_language fr_FR.UTF-8 l e '"C&ALCULER"' "Type de porte" "Veuillez choisir un type de porte." french.png
in_language es_MX.UTF-8 l b '"&BORRAR"' "Tipo de puerta" "Seleccione un tipo de puerta." spanish.png
echo "in French and in Spanish"
