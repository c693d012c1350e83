#!/usr/bin/env bash
# Builds Velkora and starts it. Installs what it needs when it is missing.
set -euo pipefail
source "$(dirname "$0")/common.sh"

need_packages "${BUILD_PACKAGES[@]}"
configure_and_build
say "the window is not built yet: this build holds the calculation core and its tests"
