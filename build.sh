#!/usr/bin/env bash
# Builds everything, packs the product into the installer and runs it.
#
#   ./build.sh [--no-run] [--keep GLOB]... [--system GLOB]... [--sign CERT.pfx [--timestamp URL]]
#              [PRODUCT_DIR | ARCHIVE.smx]
#
# 1. installs what is missing and builds both sides (scripts/configure.sh);
# 2. packs the product into OUT/OrvNet.smx with smx: without
#    an argument the sample product (samples/OrvNet with its three built
#    programs, staged in BUILD/sample/OrvNet); with PRODUCT_DIR that folder;
#    with ARCHIVE.smx an existing archive is used as it is (after verifying);
#    --keep and --system mark files as smx pack does; without any, the
#    product's tables are kept on update (Data/*.tbl, OrvServer/Data/*.tbl);
# 3. checks the archive and compresses it into OUT/OrvNet.cab (smx cab), and
#    binds it into OUT/OrvNetSetup.exe;
#    with --sign, signs a copy with Authenticode into OUT/signed/OrvNetSetup.exe
#    (scripts/sign-installer.sh: the password comes from SM_SIGN_PASSWORD,
#    --timestamp or SM_TIMESTAMP_URL names a timestamp server); smx verify
#    then checks the installer and prints its manifest;
# 4. unless --no-run, runs the (signed) installer under Wine in a fresh prefix: on
#    your display when there is one, otherwise on a private Xvfb display,
#    saving a screenshot of its screen to OUT/consent_screen.png and leaving
#    by "Salir".
# BUILD is SM_BUILD_DIR (default: build); OUT is SM_OUT_DIR (default: out/,
# or BUILD/out for another build folder).
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
run=1
input=""
sign_cert=""
marks=()
while [ $# -gt 0 ]; do
  case "$1" in
    --no-run) run=0 ;;
    --keep|--system)
      [ $# -ge 2 ] || { echo "build.sh: $1 needs a pattern" >&2; exit 2; }
      marks+=("$1" "$2"); shift ;;
    --sign|--timestamp)
      [ $# -ge 2 ] || { echo "build.sh: $1 needs a value" >&2; exit 2; }
      if [ "$1" = --sign ]; then sign_cert=$2; else export SM_TIMESTAMP_URL=$2; fi
      shift ;;
    -h|--help) sed -n '2,25p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "build.sh: unknown option '$1'" >&2; exit 2 ;;
    *)
      if [ -n "$input" ]; then echo "build.sh: one PRODUCT_DIR or ARCHIVE.smx only" >&2; exit 2; fi
      input=$1 ;;
  esac
  shift
done
[ "${#marks[@]}" -gt 0 ] || marks=(--keep 'Data/*.tbl' --keep 'OrvServer/Data/*.tbl')

"$root/scripts/deps.sh"
"$root/scripts/configure.sh"

export SM_BUILD_DIR="${SM_BUILD_DIR:-$root/build}"
if [ "$SM_BUILD_DIR" = "$root/build" ]; then out_default="$root/out"; else out_default="$SM_BUILD_DIR/out"; fi
out="${SM_OUT_DIR:-$out_default}"
smx="$out/bin/smx"

if [ -n "$input" ] && [ -f "$input" ]; then
  "$smx" verify "$input"
  [ "$(realpath "$input")" = "$(realpath -m "$out/OrvNet.smx")" ] || cp "$input" "$out/OrvNet.smx"
else
  product=$input
  if [ -z "$product" ]; then
    product="$SM_BUILD_DIR/sample/OrvNet"
    "$root/scripts/stage-sample.sh" "$out/sample" "$product"
  fi
  "$smx" pack "$product" -o "$out/OrvNet.smx" "${marks[@]}"
fi
# smx cab makes the check smx verify makes of the archive before it
# compresses a byte, so the archive is not read a second time for it here.
"$smx" cab "$out/OrvNet.smx" -o "$out/OrvNet.cab"
cmake --build "$SM_BUILD_DIR/win" --target OrvNetSetup consent_preview >/dev/null
installer="$out/OrvNetSetup.exe"
if [ -n "$sign_cert" ]; then
  # A signed installer from an earlier build must not outlive a failed signing.
  rm -f "$out/signed/OrvNetSetup.exe"
  mkdir -p "$out/signed"
  "$root/scripts/sign-installer.sh" "$sign_cert" "$installer" "$out/signed/OrvNetSetup.exe"
  installer="$out/signed/OrvNetSetup.exe"
fi
"$smx" verify "$installer"
echo "build.sh: $installer"

[ "$run" -eq 1 ] && "$root/scripts/run-installer.sh" "$installer"
exit 0
