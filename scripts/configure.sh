#!/usr/bin/env bash
# Configures and builds both sides: build/host (native) and build/win
# (mingw-w64 i686). SM_BUILD_DIR names another build folder (default: build).
# Usage: configure.sh [extra cmake -D options for both]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
for side in host win; do
  dir="${SM_BUILD_DIR:-$root/build}/$side"
  args=(-S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@")
  [ "$side" = win ] && args+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake")
  if [ ! -f "$dir/Makefile" ]; then
    cmake "${args[@]}" >/dev/null
  fi
  cmake --build "$dir" -j "$jobs" 2>&1 | grep -v -E '^\[ *[0-9]+%\]|^-- ' || true
  [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "build of $side failed" >&2; exit 1; }
done
