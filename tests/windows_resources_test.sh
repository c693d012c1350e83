#!/usr/bin/env bash
# Compiles the Windows resource script with the MinGW resource compiler and reads back the
# version block and the icon: file and product version, the shown version, product name and
# description, and 16 x 16 and 32 x 32 images in 16 colours.
# Usage: windows_resources_test.sh RC_FILE ICO_FILE DESCRIPTION
set -euo pipefail
rc=$1
ico=$2
description=$3
windres=$(command -v x86_64-w64-mingw32-windres) || { echo "x86_64-w64-mingw32-windres is not installed"; exit 77; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The host's preprocessor stands in for the MinGW compiler, which is not needed otherwise.
"$windres" --preprocessor=cpp -i "$rc" -O coff -o "$scratch/velkora.res.o" || fail "windres"
"$windres" --preprocessor=cpp -i "$rc" -O rc -o "$scratch/back.rc" || fail "windres to rc"
back=$(cat "$scratch/back.rc")
for line in 'FILEVERSION 1, 0, 0, 0' 'PRODUCTVERSION 1, 0, 0, 0' \
    'VALUE "ProductVersion", "1.00"' 'VALUE "FileVersion", "1.0.0.0"' \
    'VALUE "ProductName", "Velkora"' "VALUE \"FileDescription\", \"$description\""; do
    grep -qF "$line" <<<"$back" || fail "version block lacks: $line"$'\n'"$back"
done

python3 - "$ico" <<'PY' || fail "icon"
import struct, sys
data = open(sys.argv[1], "rb").read()
reserved, kind, count = struct.unpack_from("<HHH", data)
assert (reserved, kind) == (0, 1), "not an icon file"
sizes = []
for i in range(count):
    w, h, colours, _, planes, bits, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
    header_bits = struct.unpack_from("<H", data, offset + 14)[0]
    assert colours == 16 and bits == 4 and header_bits == 4, f"{w}x{h} is not 16 colours"
    sizes.append((w, h))
assert sorted(sizes) == [(16, 16), (32, 32)], sizes
PY
echo "resource script compiles: $(stat -c %s "$scratch/velkora.res.o") bytes; icon 16x16 and 32x32 in 16 colours"
