#!/usr/bin/env bash
# Signing when a certificate is given, proved with a throw-away self-signed one: the program
# and the MSI are signed (SHA-256), both verify, and the signed program still passes the
# end-to-end test under Wine. The default build is unsigned.
# Usage: windows_signing_test.sh SOURCE_DIR BUILD_DIR PROBE_EXE
set -euo pipefail
source=$1
build=$2
probe=$3
fail() { echo "FAIL: $*" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"

! osslsigncode verify -in "$build/velkora.exe" >/dev/null 2>&1 || fail "the default build is signed"

(umask 077 && head -c 24 /dev/urandom | base64 >password)
openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out certificate.pem -days 2 -subj "/CN=Velkora test" \
    -addext "extendedKeyUsage=codeSigning" 2>/dev/null
openssl pkcs12 -export -inkey key.pem -in certificate.pem -out certificate.p12 -passout file:password
export VELKORA_SIGN_PKCS12=$scratch/certificate.p12 VELKORA_SIGN_PASSWORD_FILE=$scratch/password

cp "$build/velkora.exe" velkora.exe
bash "$source/resources/sign.sh" velkora.exe
python3 "$source/resources/build_msi.py" "$source/resources/velkora.wxs.in" velkora.exe \
    "$source/resources/icons/velkora.ico" velkora.msi Velkora 1.0.0.0 1.00 Velkora "https://www.velkora.example/"
for file in velkora.exe velkora.msi; do
    report=$(osslsigncode verify -CAfile certificate.pem -in "$file" 2>&1) || fail "$file does not verify: $report"
    grep -q 'Signature verification: ok' <<<"$report" || fail "$file: $report"
    grep -qi 'sha256' <<<"$report" || fail "$file is not signed with SHA-256: $report"
    echo "$file: $(grep -m1 -i 'Message digest algorithm' <<<"$report" | tr -s ' '); $(grep -m1 'Signature verification' <<<"$report")"
done

bash "$source/tests/window/win32/win32_e2e.sh" "$scratch/velkora.exe" "$probe" "$scratch/e2e" >e2e.log 2>&1 \
    || { tail -20 e2e.log; fail "the signed program fails the end-to-end test"; }
echo "the signed program passes the end-to-end test"
