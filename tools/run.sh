#!/usr/bin/env bash
# Builds Velkora and starts it. Installs what it needs when it is missing.
set -euo pipefail
source "$(dirname "$0")/common.sh"

VELKORA_BUILD=$VELKORA_ROOT/build/app
need_packages "${BUILD_PACKAGES[@]}"
configure_and_build -DVELKORA_BUILD_TESTS=OFF
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    die "built $VELKORA_BUILD/velkora, but there is no display to open its window on: run this from a desktop session, or set DISPLAY (for example under xvfb-run)"
fi
exec "$VELKORA_BUILD/velkora"
