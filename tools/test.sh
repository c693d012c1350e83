#!/usr/bin/env bash
# Builds Velkora and runs every test: the Linux program, the core and the form without any
# toolkit, the same tests again under AddressSanitizer and UndefinedBehaviorSanitizer, the
# calculation core under libFuzzer, and the Windows program cross-built and tested under Wine
# (with its .zip and installer), and the site in WebAssembly, tested under Node and in Chromium,
# Firefox and WebKit. Installs what it needs when it is missing.
set -euo pipefail
source "$(dirname "$0")/common.sh"

need_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" "${WEB_PACKAGES[@]}" "${WEB_TEST_PACKAGES[@]}"
APT_NO_RECOMMENDS=1 need_packages "${WINE_PACKAGES[@]}"
need_locale de_DE.UTF-8
need_locale fr_FR.UTF-8
need_locale es_MX.UTF-8
cd "$VELKORA_ROOT"
need_npm_packages tests/web

failed=()
for preset in default form sanitize fuzz windows web; do
    say "== $preset: build"
    configure_and_build "$preset"
    say "== $preset: test"
    ctest --preset "$preset" -j "$(nproc)" || failed+=("$preset")
done
[ ${#failed[@]} -eq 0 ] || die "tests failed in: ${failed[*]}"
say "all tests passed in: default form sanitize fuzz windows web"
