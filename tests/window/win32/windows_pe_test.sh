#!/usr/bin/env bash
# The shipped Windows program, read from its PE headers: it imports only libraries that Windows
# always loads from its own folder (so none can be planted beside it), and it is hardened:
# address-space randomisation with high entropy and a relocation table to make it work, a
# non-executable heap and stack, and no section both writable and executable.
# Usage: windows_pe_test.sh PROGRAM.exe...
set -euo pipefail
objdump=x86_64-w64-mingw32-objdump
# Windows' KnownDLLs that the program may import.
known=" kernel32.dll user32.dll gdi32.dll ole32.dll oleaut32.dll advapi32.dll msvcrt.dll shell32.dll "
failed=0
fail() { echo "FAIL $exe: $*"; failed=1; }
for exe in "$@"; do
    headers=$($objdump -p "$exe")
    while read -r dll; do
        [[ $known == *" $dll "* ]] || fail "imports $dll, which Windows would also look for beside the program"
    done < <(awk '/DLL Name:/ { print tolower($3) }' <<<"$headers")
    for flag in DYNAMIC_BASE HIGH_ENTROPY_VA NX_COMPAT; do
        grep -qw "$flag" <<<"$headers" || fail "lacks $flag"
    done
    grep -q 'Base Relocation Directory \[\.reloc\]' <<<"$headers" \
        || $objdump -h "$exe" | grep -q '\.reloc' || fail "has no relocation table: randomisation cannot move it"
    sections=$($objdump -h "$exe" | awk '/^ *[0-9]+ / { name = $2; getline; if ($0 ~ /CODE/ && $0 !~ /READONLY/) print name }')
    [ -z "$sections" ] || fail "sections both writable and executable: $sections"
    [ $failed -eq 0 ] && echo "ok $exe: imports $(awk '/DLL Name:/ { printf "%s ", $3 }' <<<"$headers")"
done
exit $failed
