#!/usr/bin/env bash
# Makes a throw-away self-signed code-signing certificate for tests:
# DIR/cert.pem (the certificate, to verify against) and DIR/cert.pfx (the
# PKCS#12 file to sign with), protected by the password in SM_SIGN_PASSWORD.
# Usage: make_test_certificate.sh DIR
set -euo pipefail
dir=$1
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=OrvNet test signer" \
  -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
  -keyout "$dir/key.pem" -out "$dir/cert.pem" 2>/dev/null
openssl pkcs12 -export -in "$dir/cert.pem" -inkey "$dir/key.pem" -out "$dir/cert.pfx" \
  -passout env:SM_SIGN_PASSWORD
rm -f "$dir/key.pem"
