#!/usr/bin/env bash
# Start-up of the site in headless Chromium against a floor page, in alternating pairs; prints
# the medians and the median of the pair ratios. Build the site first (tools/test.sh or
# cmake --preset web && cmake --build --preset web). Usage: bench/web_startup_benchmark.sh [PAIRS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exec node "$root/bench/web/startup_benchmark.mjs" "$root/build/web/site" "${1:-11}"
