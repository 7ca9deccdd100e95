#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine, as root.
# Quick when everything is already there: it only asks dpkg.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang make pkg-config python3
  g++-mingw-w64-i686 gcc-mingw-w64-i686 binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine32 wine64 xvfb xauth fonts-wine imagemagick x11-utils
  libcli11-dev zlib1g-dev libgtest-dev libmspack-dev gcab
  libssl-dev openssl osslsigncode
  time
)

missing=()
have_i386=$(dpkg --print-foreign-architectures | grep -c '^i386$' || true)
for p in "${packages[@]}"; do
  query=$p
  [ "$p" = wine32 ] && query=wine32:i386
  if ! dpkg-query -W -f='${Status}' "$query" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ "${#missing[@]}" -eq 0 ] && [ "$have_i386" -gt 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "deps: missing packages: ${missing[*]}; run as root or install them" >&2
  exit 1
fi

echo "deps: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
if [ "$have_i386" -eq 0 ]; then
  dpkg --add-architecture i386
fi
# The i386 security index sometimes fails with "File has unexpected size"; the
# main index is enough, so a failed update is tolerated.
apt-get update -qq >/dev/null 2>&1 || true
# -t bookworm keeps the amd64 and i386 halves of wine at the same version.
apt-get install -y -qq -t bookworm --no-install-recommends "${missing[@]}" >/dev/null
