#!/usr/bin/env bash
# Start-up of the Windows velkora.exe under Wine against two floors built the same way, in
# alternating rounds on a private Xvfb: the one-line floor (a bare Win32 window of the same size
# with one line of text) and the fair floor (the form's 23 controls as plain EDIT, BUTTON and
# STATIC controls from the control table, with their fonts, colours and texts, and no form
# behind them). Any further programs given (an older velkora.exe, say) run in the same rounds.
# Times to the window being mapped and to its first painted content, from the X server's side.
# Prints each program's size and medians, and the median of the per-round ratios of velkora.exe
# to each of the others.
# Usage: bench/win32_startup_benchmark.sh [ROUNDS] [WINDOWS_BUILD_DIR] [LINUX_BUILD_DIR] [OTHER.exe...]
#        (defaults: 11, build/windows, build/default; the Linux build has the X probe)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-11}
build=${2:-$root/build/windows}
linux=${3:-$root/build/default}
shift $(($# < 3 ? $# : 3))
programs=("$build/velkora.exe" "$build/bench/win32/velkora_floor.exe" "$build/bench/win32/velkora_fair_floor.exe" "$@")
names=(velkora one-line-floor fair-floor)
for extra in "$@"; do names+=("other-$(( ${#names[@]} - 2 ))"); done
for f in "${programs[@]}" "$build/tests/window/win32/win32_probe.exe" "$linux/bench/startup_probe"; do
    [ -e "$f" ] || { echo "build first: $f is missing"; exit 1; }
done

scratch=$(mktemp -d)
source "$root/tools/xvfb.sh"
start_xvfb
export WINEPREFIX=$scratch/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null; kill $XVFB_PID 2>/dev/null; rm -rf "$scratch"' EXIT
bash "$root/tools/wine_prefix.sh" "$WINEPREFIX" x11 >/dev/null
# One wine server for all runs, as on a desktop where the system is already up.
wineserver -p

run() {
    local line
    line=$("$linux/bench/startup_probe" wine "$1" 2>/dev/null) || true
    # The probe ends the launcher; the window is closed the way a user closes it.
    wine "$build/tests/window/win32/win32_probe.exe" 1 close >/dev/null 2>&1 || true
    while pgrep -f "^$1" >/dev/null; do sleep 0.05; done
    echo "$line"
}
# Each one once first, so that all start from the same warm file cache.
for program in "${programs[@]}"; do run "$program" >/dev/null; done
for i in $(seq "$rounds"); do
    for k in "${!programs[@]}"; do
        echo "$i ${names[$k]} $(run "${programs[$k]}")" >>"$scratch/results"
    done
done

for k in "${!programs[@]}"; do echo "${names[$k]}: ${programs[$k]} ($(stat -c %s "${programs[$k]}") bytes)"; done
python3 "$root/bench/startup_summary.py" "$scratch/results"
