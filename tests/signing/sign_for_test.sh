#!/usr/bin/env bash
# Signs INPUT.exe into OUTPUT.exe with a throw-away certificate, through the
# same script build.sh --sign uses. Usage: sign_for_test.sh INPUT.exe OUTPUT.exe
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SM_SIGN_PASSWORD="test password"
unset SM_TIMESTAMP_URL
"$here/make_test_certificate.sh" "$work"
"$here/../../scripts/sign-installer.sh" "$work/cert.pfx" "$1" "$2"
