#!/usr/bin/env bash
# DLL planting under Wine: a library is planted, under each name the program loads or might
# load, beside the program and in the folder it is started from, with Wine told to prefer a
# library found there to its own (the search order of Windows). Wine's loader reports every
# library it maps (WINEDEBUG=+loaddll); none of the planted ones may be among them, nor a marker
# left by their DllMain. A small hardened program of our own with the same manifest shows which
# names Wine itself takes from beside any program; those are Wine's, not the program's.
# Usage: planting_test.sh PROGRAM.exe PLANTED.dll FLOOR.exe WORKDIR
set -euo pipefail
exe=$1 planted=$2 floor=$3 work=$4
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
# start PROGRAM: runs it for a moment from the planted working folder and prints the names of
# the planted libraries that were loaded, by the loader's word or by their own marker.
start() {
    rm -f "$work/markers"/*
    (cd "$work/cwd" && WINEDEBUG=+loaddll WINEDLLOVERRIDES="$overrides" timeout 8 wine "$work/app/$1" 2>&1 || true) \
        | grep -aiE 'Loaded L".*\\(app|cwd)\\+[^\\"]+\.dll".*: native' \
        | sed -E 's/.*\\([^\\"]+)\.dll".*/\1/' | tr 'A-Z' 'a-z' >"$work/loaded"
    (cd "$work/markers" && ls | sed 's/\.dll\.loaded$//' | tr 'A-Z' 'a-z') >>"$work/loaded"
    sort -u "$work/loaded" | tr '\n' ' '
}
wine_own=$(start floor.exe)
loaded=$(start program.exe)
echo "names planted: ${names[*]}"
echo "loaded by Wine itself for any program: ${wine_own:-none}"
echo "loaded by the program: ${loaded:-none}"
for name in $loaded; do
    [[ " $wine_own " == *" $name "* ]] || { echo "FAIL: the program loads a planted $name.dll"; exit 1; }
done
echo "ok: nothing planted was loaded by the program"
