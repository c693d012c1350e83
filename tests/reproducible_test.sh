#!/usr/bin/env bash
# The same commit gives the same bytes from any folder at any time: the packages of a build are
# built again from a copy of the sources in another folder, and compared byte for byte.
#   reproducible_test.sh SOURCE_DIR BUILD_DIR windows   velkora.exe, the .zip and the MSI
#   reproducible_test.sh SOURCE_DIR BUILD_DIR deb       the .deb
set -euo pipefail
source=$1
first=$2
kind=$3
fail() { echo "FAIL: $*" >&2; exit 1; }
scratch=$(mktemp -d /tmp/velkora-again-XXXXXX)
trap 'rm -rf "$scratch"' EXIT

# Both builds take their times from the last commit.
SOURCE_DATE_EPOCH=$(git -C "$source" log -1 --format=%ct)
export SOURCE_DATE_EPOCH
mkdir -p "$scratch/copy/of/the/sources"
copy=$scratch/copy/of/the/sources
(cd "$source" && git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$copy")
again=$scratch/build

case $kind in
windows)
    cmake -S "$copy" -B "$again" -DCMAKE_TOOLCHAIN_FILE="$copy/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
        -DVELKORA_TOOLKIT=Win32 -DVELKORA_BUILD_TESTS=OFF >/dev/null
    cmake --build "$again" --target velkora msi -j "$(nproc)" >"$scratch/build.log" 2>&1 || { tail "$scratch/build.log"; fail "build"; }
    files=(velkora.exe velkora-*-win64.zip velkora-*-win64.msi)
    ;;
deb)
    cmake -S "$copy" -B "$again" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELKORA_BUILD_TESTS=OFF >/dev/null
    cmake --build "$again" --target velkora debian_docs -j "$(nproc)" >"$scratch/build.log" 2>&1 || { tail "$scratch/build.log"; fail "build"; }
    files=(velkora_*.deb)
    ;;
esac
for build in "$first" "$again"; do
    mkdir -p "$scratch/packages/$(basename "$build")"
    (cd "$scratch/packages/$(basename "$build")" && cpack --config "$build/CPackConfig.cmake" -B . >/dev/null) || fail "cpack"
    cp "$build"/*.exe "$build"/*.msi "$scratch/packages/$(basename "$build")/" 2>/dev/null || true
done
status=0
for pattern in "${files[@]}"; do
    one=$(ls "$scratch/packages/$(basename "$first")"/$pattern)
    two=$(ls "$scratch/packages/build"/$pattern)
    printf '%-32s %s  %s\n' "$(basename "$one")" "$(sha256sum <"$one" | cut -c1-16)" "$(sha256sum <"$two" | cut -c1-16)"
    cmp -s "$one" "$two" || { echo "FAIL: $(basename "$one") differs between $first and $again"; status=1; }
done
exit $status
