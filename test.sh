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

# The Windows suites run under Wine in the 32-bit build, as shipped. A kernel
# that cannot run 32-bit programs (ia32_emulation=off) cannot run that build
# at all; there they run in the x86-64 test build of the same sources, under
# 64-bit Wine, and of the 32-bit build only the signing checks, which need
# no Wine (a folder of their own: ctest lists every Wine test of the folders
# it runs, through Wine).
# Each suite: the build folder's side, and the folder in it ctest runs.
suites=("host:." "win:.")
win_tree=$SM_BUILD_DIR/win
if ! SM_WINE_ROOT="$SM_BUILD_DIR/win/wine" "$root/scripts/wine-prefix.sh" "$SM_BUILD_DIR/win/wine" 2>"$SM_BUILD_DIR/wine32.log"; then
  cat "$SM_BUILD_DIR/wine32.log"
  echo "32-bit Wine cannot run here: the Windows suites run in the x86-64 test build (build/win64)"
  SM_SIDES=win64 "$root/scripts/configure.sh" || exit 1
  suites=("host:." "win:tests/signing/tool" "win64:.")
  win_tree=$SM_BUILD_DIR/win64
elif ! "$root/scripts/wine-prefix.sh" "$SM_BUILD_DIR/win/wine-wow64" 2>"$SM_BUILD_DIR/wine64.log"; then
  # The WoW64 cases run the 32-bit programs in a 64-bit prefix, made here
  # once before the cases start; without it they fail, saying so.
  cat "$SM_BUILD_DIR/wine64.log"
  echo "64-bit Wine cannot make its prefix: the WoW64 cases will fail"
fi

export SM_WINE_ROOT="$win_tree/wine"
. "$root/scripts/session.sh"
trap sm_session_stop EXIT
sm_start_xvfb
sm_start_wineserver

passed=0
failed=0
# A side that has not ended in this long is stopped, so a stuck test costs
# a bounded time and the summary still comes (seconds).
declare -A side_limit=([host]=1200 [win]=3600 [win64]=3600)
for suite in "${suites[@]}"; do
  side=${suite%%:*}
  folder=${suite#*:}
  log="$SM_BUILD_DIR/$side/ctest.log"
  where=""
  [ "$folder" != . ] && where=" in $folder"
  echo "== $side tests$where"
  if [ "$SM_BUILD_DIR/$side" = "$win_tree" ] && [ "$sm_wine_ready" != 1 ]; then
    echo "Windows tests not run: Wine cannot start on this machine (see above)"
    failed=$((failed + 1))
    continue
  fi
  # Failures are shown as they happen; the whole output is in the log.
  (cd "$SM_BUILD_DIR/$side/$folder" && timeout --foreground -k 30 "${side_limit[$side]}" ctest -j2 --output-on-failure "$@") 2>&1 |
    tee "$log" | grep --line-buffered -E '\*\*\*|\((Failed|Timeout|Not Run)\)'
  if [ "${PIPESTATUS[0]}" -eq 124 ]; then
    echo "$side tests stopped after ${side_limit[$side]} s; tests started and not finished:"
    started=$(grep -oE 'Start +[0-9]+: [^ ]+' "$log" | awk '{print $3}' | sort -u)
    finished=$(grep -oE 'Test +#[0-9]+: [^ ]+' "$log" | awk '{print $3}' | sort -u)
    comm -23 <(echo "$started") <(echo "$finished") | sed 's/^/  /'
  fi
  if [ "$SM_BUILD_DIR/$side" = "$win_tree" ]; then
    # Fresh prefixes of test programs that were stopped before their runner
    # could clean up: their Wine processes end here.
    for left in "$SM_WINE_ROOT"/runs/run.*/prefix; do
      [ -d "$left" ] && WINEPREFIX="$left" wineserver -k 2>/dev/null
    done
    rm -rf "$SM_WINE_ROOT"/runs/run.*
  fi
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
# The README's first command, on the sample product, when the whole run was
# asked for: it must pack, bind and verify an installer.
if [ $# -eq 0 ]; then
  echo "== build.sh --no-run"
  if "$root/build.sh" --no-run >"$SM_BUILD_DIR/build-sh.log" 2>&1; then
    passed=$((passed + 1))
  else
    tail -20 "$SM_BUILD_DIR/build-sh.log"
    failed=$((failed + 1))
  fi
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
