#!/usr/bin/env bash
# DLL planting under Wine: a library is planted, under each name the program loads or might
# load, beside the program and in the folder it is started from, with Wine told to prefer a
# library found there to its own (the search order of Windows). Wine's loader reports every
# library it maps (WINEDEBUG=+loaddll); none of the planted ones may be among them, nor a marker
# left by their DllMain. A small hardened program of our own with the same manifest shows which
# names Wine itself takes from beside any program; those are Wine's, not the program's.
# The MSI is tried the same way: installed and uninstalled by msiexec from the planted folder.
# Usage: planting_test.sh PROGRAM.exe PLANTED.dll FLOOR.exe WORKDIR [INSTALLER.msi]
set -euo pipefail
exe=$1 planted=$2 floor=$3 work=$4 msi=${5:-}
names=(uxtheme comctl32 oleacc dwmapi version msimg32 uiautomationcore imm32 msctf dbghelp propsys actxprxy
    windowscodecs)
rm -rf "$work" && mkdir -p "$work/app" "$work/cwd" "$work/markers"
export VELKORA_PLANT_MARKERS="$(WINEDEBUG=-all winepath -w "$work/markers" 2>/dev/null)"
cp "$exe" "$work/app/program.exe"
cp "$floor" "$work/app/floor.exe"
for name in "${names[@]}"; do
    cp "$planted" "$work/app/$name.dll"
    cp "$planted" "$work/cwd/$name.dll"
done
overrides=$(printf '%s=n,b;' "${names[@]}")
# start SECONDS COMMAND...: runs it from the planted working folder, for at most that long and prints the names of the planted libraries that were loaded, by the
# loader's word or by their own marker.
start() {
    rm -f "$work/markers"/*
    wineserver -k 2>/dev/null || true
    local seconds=$1
    shift
    (cd "$work/cwd" && WINEDEBUG=+loaddll WINEDLLOVERRIDES="$overrides" timeout "$seconds" wine "$@" 2>&1 || true) \
        | grep -aiE 'Loaded L".*\\(app|cwd)\\+[^\\"]+\.dll".*: native' \
        | sed -E 's/.*\\([^\\"]+)\.dll".*/\1/' | tr 'A-Z' 'a-z' >"$work/loaded"
    (cd "$work/markers" && ls | sed 's/\.dll\.loaded$//' | tr 'A-Z' 'a-z') >>"$work/loaded"
    sort -u "$work/loaded" | tr '\n' ' '
}
wine_own=$(start 8 "$work/app/floor.exe")
echo "names planted: ${names[*]}"
echo "loaded by Wine itself for any program: ${wine_own:-none}"
status=0
check() { # WHAT LOADED
    echo "loaded by $1: ${2:-none}"
    for name in $2; do
        [[ " $wine_own " == *" $name "* ]] || { echo "FAIL: $1 loads a planted $name.dll"; status=1; }
    done
}
check "the program" "$(start 8 "$work/app/program.exe")"
if [ -n "$msi" ]; then
    cp "$msi" "$work/app/velkora.msi"
    check "msiexec installing the MSI" "$(start 60 msiexec /i "$(WINEDEBUG=-all winepath -w "$work/app/velkora.msi")" /qn)"
    [ -f "$WINEPREFIX/drive_c/Program Files/Velkora/velkora.exe" ] || { echo "FAIL: the MSI did not install"; status=1; }
    product=$(msiinfo export "$msi" Property | awk '$1 == "ProductCode" { print $2 }' | tr -d '\r')
    check "msiexec uninstalling it" "$(start 60 msiexec /x "$product" /qn)"
    [ ! -e "$WINEPREFIX/drive_c/Program Files/Velkora" ] || { echo "FAIL: the MSI did not uninstall"; status=1; }
fi
[ $status -ne 0 ] || echo "ok: nothing planted was loaded beyond what Wine loads for any program"
exit $status
