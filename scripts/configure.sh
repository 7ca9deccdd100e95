#!/usr/bin/env bash
# Configures and builds both sides: build/host (native) and build/win
# (mingw-w64 i686). SM_BUILD_DIR names another build folder (default: build);
# finished programs go to SM_OUT_DIR (default: out/, or <build folder>/out
# for another build folder). The host side is built first: the Windows side
# uses its smx tool to make test payloads.
# SM_BUILD_TYPE=Debug builds without optimisation, by default in its own
# folder (build-debug): faults that optimisation hides show there.
# SM_SIDES lists the sides to build (default "host win"); "win64" adds the
# x86-64 test build of the Windows side in build/win64, with its programs
# in build/win64/out.
# Usage: configure.sh [extra cmake -D options for every side]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
type="${SM_BUILD_TYPE:-Release}"
if [ "$type" = Release ]; then build_default="$root/build"; else build_default="$root/build-$(echo "$type" | tr A-Z a-z)"; fi
build="${SM_BUILD_DIR:-$build_default}"
if [ "$build" = "$root/build" ]; then out_default="$root/out"; else out_default="$build/out"; fi
export SM_OUT_DIR="${SM_OUT_DIR:-$out_default}"
for side in ${SM_SIDES:-host win}; do
  dir="$build/$side"
  out="$SM_OUT_DIR"
  [ "$side" = win64 ] && out="$dir/out"
  args=(-S "$root" -B "$dir" -DCMAKE_BUILD_TYPE="$type" -DSM_OUT_DIR="$out" "$@")
  case "$side" in
    win) args+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" -DSM_SMX_TOOL="$SM_OUT_DIR/bin/smx") ;;
    win64) args+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" -DSM_SMX_TOOL="$SM_OUT_DIR/bin/smx") ;;
  esac
  # Ninja: a build with nothing to do takes a fraction of a second, where
  # make takes seconds to walk every test program's dependencies. A folder
  # made by another generator is configured afresh (its Wine prefix stays).
  if [ -f "$dir/CMakeCache.txt" ] && ! grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$dir/CMakeCache.txt"; then
    rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles"
  fi
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -G Ninja "${args[@]}" >/dev/null
  fi
  if ! cmake --build "$dir" -j "$jobs" 2>&1 | { grep -v -E '^\[ *[0-9]+/[0-9]+\]|^-- ' || true; }; then
    echo "build of $side failed" >&2
    exit 1
  fi
done
