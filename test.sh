#!/usr/bin/env bash
# Builds both sides and runs every test suite: the native one, then the
# Windows one under Wine (with a private X display for tests that open
# windows). Ends with one line: "N passed, N failed".
# Arguments go to ctest (for example -R NAME). SM_BUILD_DIR names another
# build folder (default: build).
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
"$root/scripts/deps.sh" || exit 1
# SM_BUILD_TYPE=Debug: an unoptimised build in build-debug (see configure.sh).
type="${SM_BUILD_TYPE:-Release}"
if [ "$type" = Release ]; then build_default="$root/build"; else build_default="$root/build-$(echo "$type" | tr A-Z a-z)"; fi
export SM_BUILD_DIR="${SM_BUILD_DIR:-$build_default}"
"$root/scripts/configure.sh" || exit 1

export SM_WINE_ROOT="$SM_BUILD_DIR/win/wine"
. "$root/scripts/session.sh"
trap sm_session_stop EXIT
sm_start_xvfb
sm_start_wineserver

passed=0
failed=0
for side in host win; do
  log="$SM_BUILD_DIR/$side/ctest.log"
  echo "== $side tests"
  (cd "$SM_BUILD_DIR/$side" && ctest -j2 --output-on-failure "$@") >"$log" 2>&1
  grep -E '\*\*\*|\((Failed|Timeout|Not Run)\)' "$log" || true
  # What each failed test printed (up to 60 lines), so that a CI log alone
  # tells why.
  awk '/Test +#[0-9]+:/ { show = /\*\*\*/; n = 0 }
       show && n++ < 60 { print "  | " $0 }' "$log" | grep -v -- '-- Start' || true
  total=$(grep -oE 'tests failed out of [0-9]+' "$log" | grep -oE '[0-9]+$' || echo 0)
  bad=$(grep -oE '[0-9]+ tests failed out of' "$log" | grep -oE '^[0-9]+' || echo 0)
  if [ "$total" -eq 0 ] && ! grep -q 'No tests were found' "$log"; then
    tail -20 "$log"; bad=$((bad + 1))
  fi
  grep -E 'tests passed' "$log" || true
  passed=$((passed + total - bad))
  failed=$((failed + bad))
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
