#!/usr/bin/env bash
# Builds everything (host tools and the Windows side), then packs the product
# into OUT/OrvNet.smx with smx and verifies the archive. Without PRODUCT_DIR
# the sample product is packed: samples/OrvNet with its three built programs,
# staged in BUILD/sample/OrvNet. The tables of Data/ and OrvServer/Data/ are
# marked to be kept on update.
# BUILD is SM_BUILD_DIR (default: build); OUT is SM_OUT_DIR (default: out/,
# or BUILD/out for another build folder).
# Usage: ./build.sh [--no-run] [PRODUCT_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
run=1
product=""
for arg in "$@"; do
  case "$arg" in
    --no-run) run=0 ;;
    -h|--help) sed -n '2,9p' "$0"; exit 0 ;;
    -*) echo "build.sh: unknown option '$arg'" >&2; exit 2 ;;
    *)
      if [ -n "$product" ]; then echo "build.sh: one PRODUCT_DIR only" >&2; exit 2; fi
      product=$arg ;;
  esac
done
"$root/scripts/deps.sh"
"$root/scripts/configure.sh"

build="${SM_BUILD_DIR:-$root/build}"
if [ "$build" = "$root/build" ]; then out_default="$root/out"; else out_default="$build/out"; fi
out="${SM_OUT_DIR:-$out_default}"
if [ -z "$product" ]; then
  product="$build/sample/OrvNet"
  "$root/scripts/stage-sample.sh" "$out/sample" "$product"
fi
"$out/bin/smx" pack "$product" -o "$out/OrvNet.smx" --keep 'Data/*.tbl' --keep 'OrvServer/Data/*.tbl'
"$out/bin/smx" verify "$out/OrvNet.smx"
