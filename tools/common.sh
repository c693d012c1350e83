# Shared by run.sh and test.sh: installing what the build needs, and configuring the build.
# Sourced, not run.

VELKORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VELKORA_BUILD=${VELKORA_BUILD:-$VELKORA_ROOT/build/default}

say() { printf 'velkora: %s\n' "$*" >&2; }
die() { say "$*"; exit 1; }

# need_packages PKG...: installs the Debian packages that are missing, with apt-get.
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
    apt-get install -y -qq "${missing[@]}" >/dev/null \
        || die "apt-get install ${missing[*]} failed"
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
BUILD_PACKAGES=(cmake g++ make pkg-config qt6-base-dev fonts-liberation)
# What the tests need on top.
TEST_PACKAGES=(libgtest-dev locales desktop-file-utils appstream dpkg-dev binutils-mingw-w64-x86-64)

configure_and_build() {
    cmake -S "$VELKORA_ROOT" -B "$VELKORA_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null \
        || die "cmake could not configure the build in $VELKORA_BUILD"
    cmake --build "$VELKORA_BUILD" -j "$(nproc)" >"$VELKORA_BUILD/build.log" 2>&1 \
        || { tail -n 40 "$VELKORA_BUILD/build.log"; die "the build failed (whole log: $VELKORA_BUILD/build.log)"; }
}
