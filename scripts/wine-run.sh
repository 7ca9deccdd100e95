#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest and the build scripts.
# The prefix is the build tree's template, or with SM_FRESH_PREFIX=1 a
# throw-away copy of it (its own wineserver, removed afterwards), for tests
# that change machine-wide state.
# SM_WINE_ROOT defaults to the wine folder beside the program's build tree.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${SM_WINE_ROOT:-}" ]; then
  dir=$(cd "$(dirname "$1")" && pwd)
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  export SM_WINE_ROOT="$dir/wine"
fi
"$here/wine-prefix.sh" "$SM_WINE_ROOT"
. "$here/wine-env.sh"

if [ "${SM_FRESH_PREFIX:-0}" = 1 ]; then
  mkdir -p "$SM_WINE_ROOT/runs"
  fresh=$(mktemp -d "$SM_WINE_ROOT/runs/prefix.XXXXXX")
  cp -a "$SM_WINE_TEMPLATE/." "$fresh/"
  export WINEPREFIX="$fresh"
  export SM_TEST_PREFIX="$fresh"
  cleanup() { wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; rm -rf "$fresh"; }
  trap cleanup EXIT
fi
export SM_TEST_PREFIX="${SM_TEST_PREFIX:-$WINEPREFIX}"
wine "$@"
status=$?
# Now and then the wine loader itself dies of a segmentation fault as the
# program's process ends, after the program has finished and reported. A
# Windows program that crashes ends with an exception code instead, so
# status 139 says nothing about the program: it is run once more, in a new
# fresh prefix when it had one.
if [ "$status" -eq 139 ] && [ -z "${SM_WINE_RERUN:-}" ]; then
  echo "wine-run.sh: the wine loader crashed (signal 11); running $1 once more" >&2
  if [ -n "${fresh:-}" ]; then
    cleanup
    trap - EXIT
    unset SM_TEST_PREFIX
  fi
  export SM_WINE_RERUN=1
  exec "$0" "$@"
fi
exit "$status"
