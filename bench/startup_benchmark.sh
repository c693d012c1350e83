#!/usr/bin/env bash
# Start-up of velkora against two floors, in alternating rounds on a private Xvfb: the one-line
# floor (a Qt Widgets window of the same size with one line of text) and the fair floor (the
# form's 23 controls as plain Qt widgets from the control table, with their fonts, colours and
# texts, under the program's own application set-up, and no form behind them). Any further
# programs given (an older velkora, say) run in the same rounds. Time to the window being mapped,
# to its first painted content, and peak memory. Prints the medians and the median of the
# per-round ratios of velkora to each of the others.
# Usage: bench/startup_benchmark.sh [ROUNDS] [BUILD_DIR] [OTHER_PROGRAM...]   (defaults: 11, build/default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-11}
build=${2:-$root/build/default}
shift $(($# < 2 ? $# : 2))
programs=("$build/velkora" "$build/bench/velkora_floor" "$build/bench/velkora_fair_floor" "$@")
names=(velkora one-line-floor fair-floor)
for extra in "$@"; do names+=("other-$(( ${#names[@]} - 2 ))"); done
for f in "${programs[@]}" "$build/bench/startup_probe"; do
    [ -x "$f" ] || { echo "build first: $f is missing"; exit 1; }
done

source "$root/tools/xvfb.sh"
start_xvfb
results=$(mktemp)
trap 'kill $XVFB_PID 2>/dev/null; rm -f "$results"' EXIT
export QT_QPA_PLATFORM=xcb

run() { "$build/bench/startup_probe" "$@" 2>/dev/null; }
# Each one once first, so that all start from the same warm file cache.
for program in "${programs[@]}"; do run "$program" >/dev/null; done
for i in $(seq "$rounds"); do
    for k in "${!programs[@]}"; do
        echo "$i ${names[$k]} $(run "${programs[$k]}")" >>"$results"
    done
done

python3 "$root/bench/startup_summary.py" "$results"
