#!/usr/bin/env bash
# Builds the site (Velkora in WebAssembly for browsers and phones) and serves it on
# http://127.0.0.1:8080/ until stopped with Ctrl+C. Installs what it needs when it is missing.
set -euo pipefail
source "$(dirname "$0")/common.sh"

need_packages cmake make python3 "${WEB_PACKAGES[@]}"
configure_and_build web
site=$VELKORA_ROOT/build/web/site
say "the site is in $site; serving it on http://127.0.0.1:${PORT:-8080}/ (Ctrl+C stops)"
exec python3 -m http.server "${PORT:-8080}" --bind 127.0.0.1 --directory "$site"
