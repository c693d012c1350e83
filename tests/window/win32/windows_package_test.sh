#!/usr/bin/env bash
# The Windows packages as a user and a company's IT get them: the .zip holds the program; the
# MSI, installed silently under Wine, puts a 64-bit program under "Program Files" with a
# Start-menu entry and an uninstall entry (name, version, publisher, icon); the installed
# program opens its window; a newer MSI replaces it in place; and the silent uninstall leaves
# no file, shortcut or registry key behind.
# Usage: windows_package_test.sh SOURCE_DIR BUILD_DIR PROBE_EXE WINEPREFIX
set -euo pipefail
source=$1
build=$2
probe=$3
export WINEPREFIX=$4 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
fail() { echo "FAIL: $*" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cd "$build"
cpack -G ZIP >cpack.log 2>&1 || { tail -20 cpack.log; fail "cpack"; }
zip=$(ls velkora-*-win64.zip)
msi=$(ls velkora-*-win64.msi)
echo "packages: $zip ($(stat -c %s "$zip") bytes), $msi ($(stat -c %s "$msi") bytes)"
python3 - "$zip" <<'PY' || fail "zip contents"
import sys, zipfile
names = zipfile.ZipFile(sys.argv[1]).namelist()
assert names == ["velkora.exe"], names
PY
size=$(python3 -c 'import sys, zipfile; print(zipfile.ZipFile(sys.argv[1]).getinfo("velkora.exe").file_size)' "$zip")
[ "$size" -lt 524288 ] || fail "velkora.exe is $size bytes, over 512 KB"

product=$(msiinfo export "$msi" Property | awk '$1 == "ProductCode" { print $2 }' | tr -d '\r')
programs="$WINEPREFIX/drive_c/Program Files/Velkora"
uninstall_key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product"
# entry KEY: the values of a registry key, nothing when there is no such key.
entry() { local values; values=$(wine reg query "$1" /reg:64 2>/dev/null) && tr -d '\r' <<<"$values" || true; }
shortcuts() { find "$WINEPREFIX/drive_c" -ipath '*Start Menu*' -iname 'Velkora.lnk'; }

wine msiexec /i "$(winepath -w "$msi")" /qn || fail "msiexec /i"
wineserver -w
[ -f "$programs/velkora.exe" ] || fail "not installed under Program Files: $(find "$WINEPREFIX/drive_c" -iname velkora.exe)"
[ ! -e "$WINEPREFIX/drive_c/Program Files (x86)/Velkora" ] || fail "installed as a 32-bit program"
cmp -s velkora.exe "$programs/velkora.exe" || fail "the installed program is not the built one"
shortcuts | grep -q . || fail "no Start-menu entry"
listed=$(entry "$uninstall_key")
for field in "DisplayName.*Velkora" "DisplayVersion.*1\.0\.0\.0" "Publisher.*Velkora"; do
    grep -qE "$field" <<<"$listed" || fail "the uninstall entry lacks $field: $listed"
done
# Windows shows the entry with the product's icon (Wine's list of programs shows none).
msiinfo export "$msi" Property | grep -qE '^ARPPRODUCTICON\svelkora\.ico' || fail "no icon for the uninstall entry"
msiinfo export "$msi" Icon | grep -q '^velkora\.ico' || fail "the icon is not in the package"
echo "installed: $(grep -E 'DisplayName|DisplayVersion|Publisher' <<<"$listed" | awk '{ $2 = ""; print }' | tr -s ' ' | paste -sd ';')"

# The installed program opens its window; the probe reads it and closes it.
wine "C:\\Program Files\\Velkora\\velkora.exe" &
seen=$(wine "$probe" 20 close | tr -d '\r')
wait
grep -q '"C&ALCULATE"' <<<"$seen" || fail "the installed program showed no window: $seen"

# A newer version replaces it in place: one program, one entry, the new version. (Windows
# Installer compares only the first three fields of a version.)
SOURCE_DATE_EPOCH=0 python3 "$source/resources/build_msi.py" "$source/resources/velkora.wxs.in" velkora.exe \
    "$source/resources/icons/velkora.ico" "$scratch/newer.msi" Velkora 1.0.1.0 1.01 "Velkora" "https://www.velkora.example/"
newer=$(msiinfo export "$scratch/newer.msi" Property | awk '$1 == "ProductCode" { print $2 }' | tr -d '\r')
wine msiexec /i "$(winepath -w "$scratch/newer.msi")" /qn || fail "msiexec /i of the newer version"
wineserver -w
[ -z "$(entry "$uninstall_key")" ] || fail "the older version is still listed after the upgrade"
entry "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$newer" | grep -q 'DisplayVersion.*1\.0\.1\.0' \
    || fail "the newer version is not listed"
[ "$(shortcuts | wc -l)" -eq 1 ] || fail "not one Start-menu entry after the upgrade: $(shortcuts)"
[ -f "$programs/velkora.exe" ] || fail "the upgrade removed the program"
echo "upgraded in place to 1.0.1.0"

wine msiexec /x "$newer" /qn || fail "msiexec /x"
wineserver -w
[ ! -e "$programs" ] || fail "the uninstall left $(find "$programs")"
[ -z "$(shortcuts)" ] || fail "the uninstall left $(shortcuts)"
[ -z "$(entry "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$newer")" ] || fail "the uninstall left its entry"
[ -z "$(entry 'HKLM\Software\Velkora')" ] || fail "the uninstall left HKLM\\Software\\Velkora"
echo "uninstalled: no file, shortcut or registry key left"
