#!/usr/bin/env bash
# Signing the installer from Linux, checked from outside, with a throw-away
# certificate:
#   - the signed installer verifies with osslsigncode against the certificate;
#   - removing the signature gives back the unsigned bytes, for two signings
#     made at different moments: the build stays reproducible apart from the
#     signature;
#   - smx verify reads the signed installer: the same archive and cabinet;
#   - a wrong or unset password, or a file that is no certificate, fails with
#     a clear message and writes no output; so does a signing tool that fails
#     halfway;
#   - the password is on no command line: a stand-in osslsigncode records its
#     arguments and the password file it is handed (mode 600, removed after);
#   - SM_TIMESTAMP_URL reaches osslsigncode as an RFC 3161 server.
# Usage: signing_test.sh SIGN_SCRIPT SMX UNSIGNED.exe
set -uo pipefail
sign=$1 smx=$2 unsigned=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work/tmp"
mkdir -p "$TMPDIR" "$work/out"
export SM_SIGN_PASSWORD="correct horse battery"
unset SM_TIMESTAMP_URL
"$here/make_test_certificate.sh" "$work"
cert="$work/cert.pfx"

failures=0
check() {
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
nothing_left() { [ -z "$(find "$work/out" "$TMPDIR" -mindepth 1)" ]; }
stderr_is() { [ "$(cat "$work/err")" = "$1" ] || { echo "  stderr: $(cat "$work/err")"; false; }; }

# Signs and verifies; strips the signature again.
"$sign" "$cert" "$unsigned" "$work/a.exe" 2>"$work/err"
check "signing succeeds quietly" test $? -eq 0 -a ! -s "$work/err"
verifies() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1; }
check "osslsigncode verifies the signature" verifies "$work/a.exe"
refused() { ! verifies "$1"; }
check "the unsigned installer is not taken for signed" refused "$unsigned"
sleep 1  # a later signing time
"$sign" "$cert" "$unsigned" "$work/b.exe" 2>"$work/err"
for signed in a b; do
  osslsigncode remove-signature -in "$work/$signed.exe" -out "$work/$signed.stripped" >/dev/null 2>&1
  check "signing $signed stripped of its signature gives back the unsigned bytes" \
    cmp -s "$work/$signed.stripped" "$unsigned"
done

# smx reads the signed installer as the unsigned one, apart from the
# executable's own digest.
"$smx" verify "$work/a.exe" >"$work/a.verify" 2>&1
check "smx verify takes the signed installer" test $? -eq 0
"$smx" verify "$unsigned" >"$work/u.verify" 2>&1
same_manifest() {
  local strip='1s/^[^:]*://; /^  installer /d'
  diff <(sed "$strip" "$work/a.verify") <(sed "$strip" "$work/u.verify")
}
check "its manifest is the unsigned one's" same_manifest
check "its manifest gives the signed file's SHA-256" \
  grep -q "installer       SHA-256 $(sha256sum "$work/a.exe" | cut -d' ' -f1)" "$work/a.verify"

# The version Windows shows in the file's properties, as smx reads it.
for line in "version         2.5.0.0" "product name    OrvNet" "product version 2.5.0.0" \
            "company         Velmarisco" "description     Instalador de OrvNet 2.5" \
            "original name   OrvNetSetup.exe"; do
  check "smx verify shows the $line" grep -qx "  $line" "$work/a.verify"
done

# Failures write nothing.
SM_SIGN_PASSWORD="wrong" "$sign" "$cert" "$unsigned" "$work/out/c.exe" 2>"$work/err"
check "a wrong password fails" test $? -eq 1
check "a wrong password is named" stderr_is "sign-installer: $cert: wrong password (SM_SIGN_PASSWORD); no signed installer written"
check "a wrong password writes nothing" nothing_left
(unset SM_SIGN_PASSWORD; "$sign" "$cert" "$unsigned" "$work/out/c.exe" 2>"$work/err")
check "an unset password is named" stderr_is "sign-installer: SM_SIGN_PASSWORD is not set: put the password of $cert in it"
"$sign" "$unsigned" "$unsigned" "$work/out/c.exe" 2>"$work/err"
check "a file that is no certificate is named" \
  stderr_is "sign-installer: $unsigned: not a PKCS#12 certificate file openssl can read; no signed installer written"
check "and nothing is written" nothing_left

# A stand-in osslsigncode: records what it was given; "fail" in its
# environment makes it write half an output and fail.
mkdir -p "$work/bin"
cat >"$work/bin/osslsigncode" <<'STANDIN'
#!/usr/bin/env bash
echo "$*" >"$STANDIN_LOG"
while [ $# -gt 0 ]; do
  case "$1" in
    -readpass) stat -c %a "$2" >"$STANDIN_LOG.mode"; echo "$2" >"$STANDIN_LOG.file"; shift ;;
    -in) in=$2; shift ;;
    -out) out=$2; shift ;;
  esac
  shift
done
if [ -n "${STANDIN_FAIL:-}" ]; then head -c 1000 "$in" >"$out"; echo "stand-in failure" >&2; exit 1; fi
cp "$in" "$out"
STANDIN
chmod +x "$work/bin/osslsigncode"
export STANDIN_LOG="$work/standin.log"
PATH="$work/bin:$PATH" SM_TIMESTAMP_URL="http://timestamp.invalid/rfc3161" \
  "$sign" "$cert" "$unsigned" "$work/out/d.exe" 2>"$work/err"
check "the stand-in signs" test -f "$work/out/d.exe"
check "the password is not among the arguments" bash -c "! grep -q 'correct horse' '$STANDIN_LOG'"
check "the password file is private" test "$(cat "$STANDIN_LOG.mode")" = 600
check "the password file is gone afterwards" test ! -e "$(cat "$STANDIN_LOG.file")"
check "the timestamp server is passed on" grep -q -- "-ts http://timestamp.invalid/rfc3161" "$STANDIN_LOG"
rm -f "$work/out/d.exe"
PATH="$work/bin:$PATH" STANDIN_FAIL=1 "$sign" "$cert" "$unsigned" "$work/out/e.exe" 2>"$work/err"
check "a signing tool that fails halfway fails the signing" test $? -eq 1
check "and leaves no half-written output" nothing_left

echo "$failures failed"
[ "$failures" -eq 0 ]
