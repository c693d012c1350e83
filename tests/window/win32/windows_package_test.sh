#!/usr/bin/env bash
# Builds the Windows packages with CPack and checks them as a user gets them: the .zip holds the
# program; the NSIS installer, run silently under Wine, installs a 64-bit program under
# "Program Files" with a Start-menu entry and an uninstall entry, the installed program opens
# its window, and the silent uninstaller removes it all again.
# Usage: windows_package_test.sh BUILD_DIR PROBE_EXE WINEPREFIX
set -euo pipefail
build=$1
probe=$2
export WINEPREFIX=$3 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
fail() { echo "FAIL: $*" >&2; exit 1; }
command -v makensis >/dev/null || fail "makensis is not installed (apt-get install nsis)"

cd "$build"
cpack -G "ZIP;NSIS" >cpack.log 2>&1 || { tail -20 cpack.log; fail "cpack"; }
zip=$(ls velkora-*-win64.zip)
installer=$(ls velkora-*-win64.exe)
echo "packages: $zip ($(stat -c %s "$zip") bytes), $installer ($(stat -c %s "$installer") bytes)"

python3 - "$zip" <<'PY' || fail "zip contents"
import sys, zipfile
names = zipfile.ZipFile(sys.argv[1]).namelist()
assert names == ["velkora.exe"], names
PY
size=$(python3 -c 'import sys, zipfile; print(zipfile.ZipFile(sys.argv[1]).getinfo("velkora.exe").file_size)' "$zip")
[ "$size" -lt 524288 ] || fail "velkora.exe is $size bytes, over 512 KB"
objdump_imports=$(x86_64-w64-mingw32-objdump -p velkora.exe | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
for dll in $objdump_imports; do
    case $dll in
    comctl32.dll | gdi32.dll | kernel32.dll | msvcrt.dll | ole32.dll | user32.dll | uxtheme.dll | oleacc.dll) ;;
    *) fail "velkora.exe imports $dll, which Windows does not ship" ;;
    esac
done

programs="$WINEPREFIX/drive_c/Program Files/Velkora"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velkora'
wine "$installer" /S
wineserver -w
[ -f "$programs/velkora.exe" ] || fail "not installed under Program Files: $(find "$WINEPREFIX/drive_c" -iname velkora.exe)"
[ ! -e "$WINEPREFIX/drive_c/Program Files (x86)/Velkora" ] || fail "installed as a 32-bit program"
python3 -c 'import sys, zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read("velkora.exe"))' "$zip" \
    | cmp -s - "$programs/velkora.exe" || fail "the installed program is not the packaged one"
find "$WINEPREFIX/drive_c" -ipath '*Start Menu*' -iname 'Velkora.lnk' | grep -q . || fail "no Start-menu entry"
wine reg query "$uninstall_key" /reg:64 2>/dev/null | grep -q UninstallString || fail "no uninstall entry"

# The installed program opens its window; the probe reads it and closes it.
wine "C:\\Program Files\\Velkora\\velkora.exe" &
seen=$(wine "$probe" 20 close | tr -d '\r')
wait
grep -q '"C&ALCULATE"' <<<"$seen" || fail "the installed program showed no window: $seen"

wine "$programs/Uninstall.exe" /S
wineserver -w
for _ in $(seq 50); do [ -e "$programs/velkora.exe" ] || break; sleep 0.2; done
[ ! -e "$programs/velkora.exe" ] || fail "the uninstaller left the program"
! wine reg query "$uninstall_key" /reg:64 >/dev/null 2>&1 || fail "the uninstaller left its entry"
echo "installed, started, uninstalled"
