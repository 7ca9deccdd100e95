#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest and the build scripts.
# The prefix is the build tree's template, or with SM_FRESH_PREFIX=1 a
# throw-away copy of it (its own wineserver, removed afterwards), for tests
# that change machine-wide state.
# SM_WINE_ROOT defaults to the wine folder beside the program's build tree.
# SM_WINE_TIMEOUT (seconds, default 600) bounds the run: a program still
# running then is stopped with every process of its fresh prefix, and the
# run fails with status 124.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${SM_WINE_ROOT:-}" ]; then
  dir=$(cd "$(dirname "$1")" && pwd)
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  export SM_WINE_ROOT="$dir/wine"
fi
"$here/wine-prefix.sh" "$SM_WINE_ROOT"
. "$here/wine-env.sh"
limit="${SM_WINE_TIMEOUT:-600}"

mkdir -p "$SM_WINE_ROOT/runs"
run=$(mktemp -d "$SM_WINE_ROOT/runs/run.XXXXXX")
cleanup() {
  if [ -n "${fresh:-}" ]; then
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    rm -rf "$fresh"
  fi
  rm -rf "$run"
}
trap cleanup EXIT
if [ "${SM_FRESH_PREFIX:-0}" = 1 ]; then
  fresh="$run/prefix"
  cp -a "$SM_WINE_TEMPLATE/." "$fresh/"
  export WINEPREFIX="$fresh"
  export SM_TEST_PREFIX="$fresh"
fi
export SM_TEST_PREFIX="${SM_TEST_PREFIX:-$WINEPREFIX}"

# Processes a Windows program starts under Wine, and the wineserver of a
# fresh prefix, are not children of this script and keep its standard
# output open. Under ctest they would hold the test's pipes open after the
# test was stopped, and ctest would wait for them for ever; so the output
# goes to files, shown once the program has ended. A terminal sees it live.
if [ -t 1 ]; then
  timeout --foreground -k 10 "$limit" wine "$@"
  status=$?
else
  timeout -k 10 "$limit" wine "$@" >"$run/out" 2>"$run/err"
  status=$?
  cat "$run/out"
  cat "$run/err" >&2
fi
if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
  echo "wine-run.sh: $1 was still running after $limit s and was stopped" >&2
fi
# Now and then the wine loader itself dies of a segmentation fault as the
# program's process ends, after the program has finished and reported. A
# Windows program that crashes ends with an exception code instead, so
# status 139 says nothing about the program: it is run once more, in a new
# fresh prefix when it had one.
# Now and then, too, a program fails under Wine before it prints a byte (a
# test program always prints): Wine did not start it. Also run once more,
# with the status said, so a program that really dies at start still fails.
rerun=""
if [ "$status" -eq 139 ]; then
  rerun="the wine loader crashed (signal 11); running $1 once more"
elif [ "$status" -ne 0 ] && [ "$status" -ne 124 ] && [ "$status" -ne 137 ] &&
     [ -f "$run/out" ] && [ ! -s "$run/out" ] && [ ! -s "$run/err" ]; then
  rerun="$1 ended with status $status before printing anything; running it once more"
fi
if [ -n "$rerun" ] && [ -z "${SM_WINE_RERUN:-}" ]; then
  echo "wine-run.sh: $rerun" >&2
  cleanup
  trap - EXIT
  unset SM_TEST_PREFIX
  export SM_WINE_RERUN=1
  exec "$0" "$@"
fi
exit "$status"
