#!/usr/bin/env bash
# Start-up of velkora against a floor window of the same size with one line of text, in
# alternating pairs on a private Xvfb: time to the window being mapped, to its first painted
# content, and peak memory. Prints each pair, the medians and the median of the pair ratios.
# Usage: bench/startup_benchmark.sh [PAIRS] [BUILD_DIR]    (defaults: 11, build/default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
pairs=${1:-11}
build=${2:-$root/build/default}
for f in velkora bench/velkora_floor bench/startup_probe; do
    [ -x "$build/$f" ] || { echo "build first: $build/$f is missing"; exit 1; }
done

source "$root/tools/xvfb.sh"
start_xvfb
trap 'kill $XVFB_PID 2>/dev/null; rm -f "$results"' EXIT
export QT_QPA_PLATFORM=xcb
results=$(mktemp)

run() { "$build/bench/startup_probe" "$@" 2>/dev/null; }
# One warm-up each, so that both start from the same warm file cache.
run "$build/velkora" >/dev/null
run "$build/bench/velkora_floor" >/dev/null
for i in $(seq "$pairs"); do
    echo "$i velkora $(run "$build/velkora")" >>"$results"
    echo "$i floor $(run "$build/bench/velkora_floor")" >>"$results"
done

python3 - "$results" <<'PY'
import statistics, sys
rows = {}
for line in open(sys.argv[1]):
    i, who, mapped, painted, rss = line.split()
    rows.setdefault(who, []).append((float(mapped), float(painted), int(rss)))
v, f = rows["velkora"], rows["floor"]
print(f"{'':10} {'mapped ms':>10} {'painted ms':>11} {'peak KiB':>9}")
for who, r in (("velkora", v), ("floor", f)):
    print(f"{who:10} {statistics.median(x[0] for x in r):10.1f} {statistics.median(x[1] for x in r):11.1f} "
          f"{statistics.median(x[2] for x in r):9.0f}")
ratios = [statistics.median(a[k] / b[k] for a, b in zip(v, f)) for k in range(3)]
print(f"{'ratio':10} {ratios[0]:10.3f} {ratios[1]:11.3f} {ratios[2]:9.3f}   (median of {len(v)} pair ratios; goal <= 1.05)")
PY
