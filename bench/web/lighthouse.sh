#!/usr/bin/env bash
# A browser's own audit of the site on a throttled phone (Lighthouse's mobile profile, a slow
# 4G network and a CPU four times slower), with the throttling simulated and applied: first
# and largest paint, total blocking time, layout shift and any forced reflow. Lighthouse comes
# from the npm registry into a scratch folder; nothing is kept. By hand, not in CI.
# Usage: bench/web/lighthouse.sh [SITE_DIR]   (default: build/web/site)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
site=${1:-$root/build/web/site}
[ -f "$site/index.html" ] || { echo "no site in $site: build it first (bash tools/web.sh, or the web preset)"; exit 1; }
scratch=$(mktemp -d)
trap 'kill "${server:-}" 2>/dev/null; rm -rf "$scratch"' EXIT
(cd "$scratch" && npm init -y >/dev/null && npm install --no-audit --no-fund --silent lighthouse@12 >/dev/null)
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site" >/dev/null 2>&1 &
server=$!
sleep 0.5
flags="--headless=new --no-sandbox --disable-gpu --disable-background-networking --disable-component-update --disable-sync --no-first-run"
for method in simulate devtools; do
    CHROME_PATH=${CHROMIUM:-/usr/bin/chromium} "$scratch/node_modules/.bin/lighthouse" "http://127.0.0.1:$port/" \
        --only-categories=performance --throttling-method=$method --chrome-flags="$flags" --quiet \
        --output=json --output-path="$scratch/$method.json"
    node -e '
        const audits = require(process.argv[1]).audits;
        const ms = (id) => Math.round(audits[id].numericValue);
        const reflows = audits["forced-reflow-insight"]?.details?.items?.[0]?.items ?? [];
        const reflow = reflows.reduce((sum, item) => sum + (item.reflowTime || 0), 0);
        console.log(`${process.argv[2]}: first paint ${ms("first-contentful-paint")} ms, largest paint ` +
            `${ms("largest-contentful-paint")} ms (+${ms("largest-contentful-paint") - ms("first-contentful-paint")}), ` +
            `total blocking ${ms("total-blocking-time")} ms, layout shift ${audits["cumulative-layout-shift"].numericValue}, ` +
            `forced reflow ${Math.round(reflow)} ms`);
    ' "$scratch/$method.json" "$method"
done
