#!/usr/bin/env bash
# Puts the sample product together in one folder, as the maker's product
# folder looks: the committed tree of samples/OrvNet plus the three programs
# the Windows side built (OrvNet.exe and DesinstalarOrv25.exe at the top,
# OrvServer.exe in OrvServer/). Anything staged before is replaced.
# Usage: stage-sample.sh PROGRAMS_DIR STAGE_DIR   (STAGE_DIR ends in /OrvNet)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
programs=$1
stage=$2
for exe in OrvNet.exe OrvServer.exe DesinstalarOrv25.exe; do
  [ -f "$programs/$exe" ] || { echo "stage-sample: $programs/$exe: not built" >&2; exit 1; }
done
rm -rf "$stage"
mkdir -p "$(dirname "$stage")"
cp -R "$root/samples/OrvNet" "$stage"
cp "$programs/OrvNet.exe" "$programs/DesinstalarOrv25.exe" "$stage/"
cp "$programs/OrvServer.exe" "$stage/OrvServer/"
