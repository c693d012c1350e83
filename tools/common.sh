# Shared by run.sh and test.sh: installing what the build needs, and configuring the build.
# Sourced, not run.

VELKORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

say() { printf 'velkora: %s\n' "$*" >&2; }
die() { say "$*"; exit 1; }

# need_packages PKG...: installs the Debian packages that are missing, with apt-get.
# With APT_NO_RECOMMENDS=1 their recommended packages are left out.
need_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    [ "$(id -u)" -eq 0 ] || die "missing packages: ${missing[*]}; install them as root: apt-get install ${missing[*]}"
    say "installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq || die "apt-get update failed; is the package archive reachable?"
    local lean=()
    [ "${APT_NO_RECOMMENDS:-0}" = 1 ] && lean=(--no-install-recommends)
    apt-get install -y -qq "${lean[@]}" "${missing[@]}" >/dev/null \
        || die "apt-get install ${missing[*]} failed"
}

# need_npm_packages DIR: installs the npm packages that DIR/package-lock.json pins, when they
# are missing or older than the lock file.
need_npm_packages() {
    local dir=$1
    [ "$dir/node_modules/.package-lock.json" -nt "$dir/package-lock.json" ] && return 0
    command -v npm >/dev/null || need_packages npm
    say "installing the npm packages of $dir"
    (cd "$dir" && npm ci --no-audit --no-fund --silent >/dev/null) \
        || die "npm ci in $dir failed; is the npm registry reachable?"
}

# need_locale NAME: generates a locale such as de_DE.UTF-8 when it is not there yet.
need_locale() {
    local name=$1 short
    short=$(echo "$1" | sed 's/UTF-8/utf8/')
    locale -a 2>/dev/null | grep -qx "$short" && return 0
    need_packages locales
    [ "$(id -u)" -eq 0 ] || die "locale $name is missing; as root: enable it in /etc/locale.gen and run locale-gen"
    say "generating locale $name"
    grep -q "^$name UTF-8" /etc/locale.gen || echo "$name UTF-8" >>/etc/locale.gen
    locale-gen "$name" >/dev/null || die "locale-gen $name failed"
}

# What building the program needs, and the faces its captions are laid out for.
BUILD_PACKAGES=(cmake g++ make pkg-config qt6-base-dev fonts-liberation python3 gettext)
# What the tests need on top.
TEST_PACKAGES=(libgtest-dev locales desktop-file-utils appstream dpkg-dev lintian binutils-mingw-w64-x86-64
    clang libclang-rt-14-dev
    xvfb xdotool dbus at-spi2-core python3-pyatspi imagemagick procps weston qt6-wayland poppler-utils)

# What the Windows program is cross-built and tested with: MinGW-w64 with posix threads, Wine
# (without its recommends) and its fonts, msitools for the MSI, osslsigncode and openssl for
# signing.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 fonts-wine wixl msitools osslsigncode openssl
    python3)
WINE_PACKAGES=(wine64 wine)

# What the site is built with: clang for WebAssembly with its C++ library, binaryen to shrink
# the module, and Node, under whose WASI the build writes the pages; and tested with: Node
# (under WASI), and the three engines the site is driven in: Chromium, Firefox ESR and
# WebKitGTK's WebDriver with its MiniBrowser (on the test's own Xvfb), through puppeteer-core and
# selenium-webdriver, with axe-core, from the npm registry (tests/web/package-lock.json).
WEB_PACKAGES=(clang-22 lld-22 llvm-22 libc++-22-dev-wasm32 libc++abi-22-dev-wasm32 libclang-rt-22-dev-wasm32
    wasi-libc binaryen nodejs)
WEB_TEST_PACKAGES=(chromium firefox-esr webkit2gtk-driver xvfb)

# configure_and_build PRESET [CMAKE_ARGS...]: configures and builds one preset of
# CMakePresets.json, with the build log kept in its folder.
configure_and_build() {
    local preset=$1
    shift
    cmake --preset "$preset" "$@" -S "$VELKORA_ROOT" >/dev/null || die "cmake could not configure the $preset build"
    local log=$VELKORA_ROOT/build/$preset/build.log
    cmake --build --preset "$preset" -j "$(nproc)" >"$log" 2>&1 \
        || { tail -n 40 "$log"; die "the $preset build failed (whole log: $log)"; }
}
