#!/usr/bin/env bash
# Installs the build into a scratch prefix and builds the Debian package from it, then checks
# that both hold what a desktop expects and that the desktop entry and metadata validate.
# Usage: package_test.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1
id=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

expected="bin/velkora
share/applications/$id.desktop
share/doc/velkora/changelog.gz
share/doc/velkora/copyright
share/icons/hicolor/16x16/apps/$id.png
share/icons/hicolor/256x256/apps/$id.png
share/icons/hicolor/32x32/apps/$id.png
share/icons/hicolor/48x48/apps/$id.png
share/icons/hicolor/scalable/apps/$id.svg
share/man/man1/velkora.1.gz
share/metainfo/$id.metainfo.xml"

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
installed=$(cd "$scratch/prefix" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$installed" = "$expected" ] || fail "installed files differ:"$'\n'"$(diff <(echo "$expected") <(echo "$installed"))"
echo "installed: $(echo "$installed" | wc -l) files"

desktop-file-validate "$scratch/prefix/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$scratch/prefix/share/metainfo/$id.metainfo.xml" >/dev/null || fail "metainfo"
[ "$(head -c 4 "$scratch/prefix/share/icons/hicolor/256x256/apps/$id.png" | tail -c 3)" = PNG ] || fail "icon"

(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -B "$scratch/deb" >/dev/null) || fail "cpack"
deb=$(ls "$scratch"/deb/velkora_*.deb)
echo "package: $(basename "$deb")"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 fonts-liberation; do
    [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "the package does not recommend Qt's Wayland support"
contents=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sed 's|^\./usr/||' | LC_ALL=C sort)
[ "$contents" = "$expected" ] || fail "package files differ:"$'\n'"$(diff <(echo "$expected") <(echo "$contents"))"
echo "Depends: $depends"
# What Debian's own checker says of it: neither errors nor warnings.
if command -v lintian >/dev/null; then
    report=$(lintian --fail-on none "$deb" 2>/dev/null | grep -E '^[EW]: ' || true)
    [ -z "$report" ] || fail "lintian:"$'\n'"$report"
    echo "lintian: no errors, no warnings"
fi
