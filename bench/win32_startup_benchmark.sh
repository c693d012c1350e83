#!/usr/bin/env bash
# Start-up of the Windows velkora.exe under Wine against a bare Win32 floor window of the same
# size with one line of text, built the same way, in alternating pairs on a private Xvfb: time
# to the window being mapped and to its first painted content, from the X server's side.
# Prints each program's size, the medians and the median of the pair ratios.
# Usage: bench/win32_startup_benchmark.sh [PAIRS] [WINDOWS_BUILD_DIR] [LINUX_BUILD_DIR]
#        (defaults: 11, build/windows, build/default; the Linux build has the X probe)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
pairs=${1:-11}
build=${2:-$root/build/windows}
linux=${3:-$root/build/default}
for f in "$build/velkora.exe" "$build/bench/win32/velkora_floor.exe" "$build/tests/window/win32/win32_probe.exe" \
    "$linux/bench/startup_probe"; do
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
    while pgrep -f "$(basename "$1")" >/dev/null; do sleep 0.05; done
    echo "$line"
}
results=$scratch/results
run "$build/velkora.exe" >/dev/null
run "$build/bench/win32/velkora_floor.exe" >/dev/null
for i in $(seq "$pairs"); do
    echo "$i velkora $(run "$build/velkora.exe")" >>"$results"
    echo "$i floor $(run "$build/bench/win32/velkora_floor.exe")" >>"$results"
done

echo "velkora.exe $(stat -c %s "$build/velkora.exe") bytes, floor $(stat -c %s "$build/bench/win32/velkora_floor.exe") bytes"
python3 - "$results" <<'PY'
import statistics, sys
rows = {}
for line in open(sys.argv[1]):
    i, who, mapped, painted, rss = line.split()
    rows.setdefault(who, []).append((float(mapped), float(painted)))
v, f = rows["velkora"], rows["floor"]
print(f"{'':10} {'mapped ms':>10} {'painted ms':>11}")
for who, r in (("velkora", v), ("floor", f)):
    print(f"{who:10} {statistics.median(x[0] for x in r):10.1f} {statistics.median(x[1] for x in r):11.1f}")
ratios = [statistics.median(a[k] / b[k] for a, b in zip(v, f)) for k in range(2)]
print(f"{'ratio':10} {ratios[0]:10.3f} {ratios[1]:11.3f}   (median of {len(v)} pair ratios; goal <= 1.05)")
PY
