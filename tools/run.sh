#!/usr/bin/env bash
# Builds Velkora and starts it. Installs what it needs when it is missing.
set -euo pipefail
source "$(dirname "$0")/common.sh"

need_packages "${BUILD_PACKAGES[@]}"
configure_and_build app
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    die "built build/app/velkora, but there is no display to open its window on: run this from a desktop session, or set DISPLAY (for example under xvfb-run)"
fi
exec "$VELKORA_ROOT/build/app/velkora"
