#!/usr/bin/env bash
# Makes a fresh Wine prefix for the Windows tests: Wine's own fonts where Wine looks for them,
# and, with "null", the display driver that needs no X server (windows are still created,
# painted and sent input). Usage: wine_prefix.sh DIR [null|x11]
set -euo pipefail
prefix=$1
driver=${2:-null}
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
command -v wine >/dev/null || { echo "wine is not installed (apt-get install --no-install-recommends wine64 wine)"; exit 1; }
wineserver -k 2>/dev/null || true
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
wineboot -i >/dev/null 2>&1 || { echo "wineboot could not make a prefix in $prefix"; exit 1; }
if [ "$driver" = null ]; then
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
fi
wineserver -w
# Debian's Wine does not read /usr/share/wine/fonts by itself.
mkdir -p "$prefix/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
echo "wine prefix ready: $prefix ($driver display driver)"
