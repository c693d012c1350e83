#!/usr/bin/env bash
# Builds Velkora and runs every test. Installs what it needs when it is missing.
set -euo pipefail
source "$(dirname "$0")/common.sh"

need_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
need_locale de_DE.UTF-8
configure_and_build
cd "$VELKORA_BUILD"
ctest --output-on-failure -j "$(nproc)"
