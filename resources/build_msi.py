#!/usr/bin/env python3
"""Builds the Windows installer velkora-VERSION-win64.msi with msitools' wixl, the same bytes
from the same program whenever and wherever it is built, and signs it when a certificate is
given (sign.sh).

    build_msi.py TEMPLATE.wxs.in PROGRAM.exe ICON.ico OUTPUT.msi NAME VERSION SHOWN_VERSION
                 DESCRIPTION HOMEPAGE

Times come from SOURCE_DATE_EPOCH (the last commit's), the product code from the version and
the package code from the version and the program: wixl would take the clock and chance.
"""
import hashlib
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import uuid

# The namespace of Velkora's installer codes.
NAMESPACE = uuid.UUID("9a4f1d3e-5c2b-4e7f-8a6d-1b0c3e5f7a92")
# Seconds from 1601 (Windows' FILETIME) to 1970.
FILETIME_1970 = 11644473600


def code(*parts):
    return str(uuid.uuid5(NAMESPACE, "|".join(parts))).upper()


def pin_times(msi, epoch, built):
    """Sets every time the summary information carries (VT_FILETIME, near the build's clock) to
    the epoch."""
    data = bytearray(open(msi, "rb").read())
    wanted = struct.pack("<Q", (epoch + FILETIME_1970) * 10_000_000)
    marker = b"\x40\x00\x00\x00"
    at = data.find(marker)
    while at >= 0:
        value = struct.unpack_from("<Q", data, at + 4)[0] / 10_000_000 - FILETIME_1970
        if abs(value - built) < 86400:
            data[at + 4:at + 12] = wanted
        at = data.find(marker, at + 1)
    open(msi, "wb").write(data)


def main():
    template, program, icon, output, name, version, shown, description, homepage = sys.argv[1:10]
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "0")) or int(time.time())
    digest = hashlib.sha256(open(program, "rb").read()).hexdigest()
    with tempfile.TemporaryDirectory() as stage:
        for source, target in ((program, "velkora.exe"), (icon, "velkora.ico")):
            shutil.copyfile(source, os.path.join(stage, target))
            os.utime(os.path.join(stage, target), (epoch, epoch))
        wxs = open(template, encoding="utf-8").read()
        for key, value in (("PRODUCT_CODE", code("product", version)), ("NAME", name), ("VERSION", version),
                           ("SHOWN_VERSION", shown), ("DESCRIPTION", description), ("HOMEPAGE", homepage)):
            wxs = wxs.replace(f"@{key}@", value)
        open(os.path.join(stage, "velkora.wxs"), "w", encoding="utf-8").write(wxs)
        msi = os.path.join(stage, "velkora.msi")
        environment = dict(os.environ, TZ="UTC")
        built = time.time()
        subprocess.run(["wixl", "--arch", "x64", "-o", msi, "velkora.wxs"], cwd=stage, env=environment, check=True,
                       stderr=subprocess.DEVNULL)
        subprocess.run(["msibuild", msi, "-s", f"{name} {shown}", name, "x64;1033",
                        "{" + code("package", version, digest) + "}"], check=True)
        pin_times(msi, epoch, built)
        subprocess.run(["bash", os.path.join(os.path.dirname(os.path.abspath(__file__)), "sign.sh"), msi], check=True)
        shutil.copyfile(msi, output)


if __name__ == "__main__":
    main()
