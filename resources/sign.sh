#!/usr/bin/env bash
# Signs a Windows program or installer in place with osslsigncode (Authenticode, SHA-256) when
# a certificate is given, and does nothing otherwise:
#   VELKORA_SIGN_PKCS12         the certificate and its key, a PKCS#12 file
#   VELKORA_SIGN_PASSWORD_FILE  a file holding its password (or VELKORA_SIGN_PASSWORD)
#   VELKORA_SIGN_TIMESTAMP_URL  a time-stamping server, if one is to be asked
# The password never appears on a command line. Usage: sign.sh FILE
set -euo pipefail
file=$1
[ -n "${VELKORA_SIGN_PKCS12:-}" ] || exit 0
command -v osslsigncode >/dev/null || { echo "sign.sh: osslsigncode is not installed" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
password=${VELKORA_SIGN_PASSWORD_FILE:-}
if [ -z "$password" ]; then
    password=$scratch/password
    (umask 077 && printf '%s' "${VELKORA_SIGN_PASSWORD:-}" >"$password")
fi
timestamp=()
[ -z "${VELKORA_SIGN_TIMESTAMP_URL:-}" ] || timestamp=(-ts "$VELKORA_SIGN_TIMESTAMP_URL")
osslsigncode sign -pkcs12 "$VELKORA_SIGN_PKCS12" -readpass "$password" -h sha256 -n Velkora \
    -i "https://www.velkora.example/" "${timestamp[@]}" -in "$file" -out "$scratch/signed" >/dev/null
cat "$scratch/signed" >"$file"
echo "signed $file"
