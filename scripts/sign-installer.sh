#!/usr/bin/env bash
# Signs an installer with Authenticode from Linux, with osslsigncode.
#
#   sign-installer.sh CERT.pfx INPUT.exe OUTPUT.exe
#
# CERT.pfx is a PKCS#12 file holding the code-signing certificate, its key
# and chain. Its password comes from the environment variable
# SM_SIGN_PASSWORD (set it, even to an empty password), never from the
# command line: it reaches openssl and osslsigncode through a file of mode
# 600 in a private temporary folder that is removed afterwards, so it shows
# in no process listing. SM_TIMESTAMP_URL, when set, names an RFC 3161
# timestamp server that countersigns the signature (needs the network).
# OUTPUT appears only when signing succeeded; INPUT is left as it is.
set -euo pipefail
name=sign-installer
fail() { echo "$name: $*" >&2; exit 1; }

[ $# -eq 3 ] || { echo "usage: $name CERT.pfx INPUT.exe OUTPUT.exe" >&2; exit 2; }
cert=$1 input=$2 output=$3
[ -f "$cert" ] || fail "$cert: no such certificate file"
[ -f "$input" ] || fail "$input: no such file"
[ -n "${SM_SIGN_PASSWORD+set}" ] || fail "SM_SIGN_PASSWORD is not set: put the password of $cert in it"

private=$(mktemp -d "${TMPDIR:-/tmp}/sign.XXXXXX")
partial=""
cleanup() {
  rm -rf "$private"
  [ -z "$partial" ] || rm -f "$partial"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
(umask 077 && printf '%s' "$SM_SIGN_PASSWORD" >"$private/password")

# osslsigncode says little more than "Failed" about a bad certificate
# file: openssl tells a wrong password from a file it cannot read.
if ! openssl pkcs12 -in "$cert" -passin "file:$private/password" -noout 2>"$private/openssl.log"; then
  if grep -qi 'mac verify' "$private/openssl.log"; then
    fail "$cert: wrong password (SM_SIGN_PASSWORD); no signed installer written"
  fi
  fail "$cert: not a PKCS#12 certificate file openssl can read; no signed installer written"
fi

timestamp=()
[ -z "${SM_TIMESTAMP_URL:-}" ] || timestamp=(-ts "$SM_TIMESTAMP_URL")
partial=$(mktemp "$(dirname "$output")/.$(basename "$output").XXXXXX")
rm -f "$partial"  # osslsigncode writes a new file
if ! osslsigncode sign -pkcs12 "$cert" -readpass "$private/password" -h sha256 -n "OrvNet 2.5" \
    "${timestamp[@]}" -in "$input" -out "$partial" >"$private/osslsigncode.log" 2>&1; then
  sed "s/^/$name: /" "$private/osslsigncode.log" >&2
  fail "$input: signing failed; no signed installer written"
fi
chmod "$(stat -c %a "$input")" "$partial"
mv -f "$partial" "$output"
partial=""
