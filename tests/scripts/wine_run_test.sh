#!/usr/bin/env bash
# wine-run.sh and wine-prefix.sh with a stand-in `wine` on PATH: a program's
# output and status pass through, a stuck program is stopped at the limit
# with the processes it started, one that Wine did not start is run once
# more, nothing it left behind holds the caller's
# output open, a fresh prefix is removed, and a Wine that cannot start is
# named as such.
# Usage: wine_run_test.sh SCRIPTS_DIR
set -uo pipefail
scripts=$1
work=$(mktemp -d)
trap 'pkill -f "$work/" 2>/dev/null; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The stand-in: FAKE_MODE says what the "program" does. It leaves a
# background process behind, as a Windows program's children under Wine do.
mkdir -p "$work/bin"
cat >"$work/bin/wine" <<'FAKE'
#!/usr/bin/env bash
case "${1:-}" in
  --version) [ -n "${FAKE_BROKEN:-}" ] && { echo "exec: wine: Exec format error" >&2; exit 126; }
             echo wine-8.0; exit 0 ;;
  regedit) exit 0 ;;
esac
# Not started by Wine: nothing printed, a failure; the first time only, or
# every time.
case "$FAKE_MODE" in
  silent-once) [ -z "${SM_WINE_RERUN:-}" ] && exit 1 ;;
  silent) exit 1 ;;
esac
echo "out of $1"
echo "err of $1" >&2
echo "$WINEPREFIX" >"$FAKE_SEEN"
bash -c "exec -a $FAKE_LEFTOVER sleep 60" &
case "$FAKE_MODE" in
  stuck) sleep 60 ;;
  *) exit 3 ;;
esac
FAKE
for tool in wineboot wineserver winepath; do printf '#!/bin/sh\nexit 0\n' >"$work/bin/$tool"; done
chmod +x "$work/bin"/*
export PATH="$work/bin:$PATH" SM_WINE_ROOT="$work/wine" FAKE_SEEN="$work/seen"
export FAKE_LEFTOVER="$work/leftover"

# Ends with the program's status; stdout and stderr stay apart.
start=$SECONDS
out=$(FAKE_MODE=ends SM_FRESH_PREFIX=1 "$scripts/wine-run.sh" prog.exe 2>"$work/err")
status=$?
[ "$status" -eq 3 ] || fail "status $status, expected the program's 3"
[ "$out" = "out of prog.exe" ] || fail "stdout was '$out'"
[ "$(cat "$work/err")" = "err of prog.exe" ] || fail "stderr was '$(cat "$work/err")'"
[ $((SECONDS - start)) -lt 20 ] || fail "a process the program left held the output open"
fresh=$(cat "$work/seen")
case "$fresh" in "$work/wine/runs/"*) ;; *) fail "fresh prefix '$fresh' is not in the build tree" ;; esac
[ ! -e "$fresh" ] || fail "fresh prefix $fresh left behind"
[ -z "$(ls -A "$work/wine/runs")" ] || fail "run folders left: $(ls "$work/wine/runs")"
pkill -f "$FAKE_LEFTOVER" 2>/dev/null

# Stuck: stopped at the limit, output shown, status 124, and the processes
# it started are gone.
start=$SECONDS
out=$(FAKE_MODE=stuck SM_WINE_TIMEOUT=2 "$scripts/wine-run.sh" stuck.exe 2>"$work/err")
status=$?
elapsed=$((SECONDS - start))
[ "$status" -eq 124 ] || fail "stuck program: status $status, expected 124"
[ "$elapsed" -lt 20 ] || fail "stuck program held the run for $elapsed s"
[ "$out" = "out of stuck.exe" ] || fail "stuck program's output lost: '$out'"
grep -q "still running after 2 s" "$work/err" || fail "no word of the stop: $(cat "$work/err")"
sleep 1
if pgrep -f "$FAKE_LEFTOVER" >/dev/null; then fail "a process the stuck program started survived"; fi

# A program Wine did not start (a failure with no output at all) is run once
# more, and the second run's result is the result.
out=$(FAKE_MODE=silent-once "$scripts/wine-run.sh" flaky.exe 2>"$work/err")
status=$?
[ "$status" -eq 3 ] || fail "not started once: status $status, expected the second run's 3"
[ "$out" = "out of flaky.exe" ] || fail "not started once: the second run's output was '$out'"
grep -q "flaky.exe ended with status 1 before printing anything; running it once more" "$work/err" ||
  fail "no word of the second run: $(cat "$work/err")"
FAKE_MODE=silent "$scripts/wine-run.sh" dead.exe >/dev/null 2>"$work/err"
status=$?
[ "$status" -eq 1 ] || fail "never started: status $status, expected 1"
[ "$(grep -c "running it once more" "$work/err")" -eq 1 ] || fail "never started: not run exactly twice"
pkill -f "$FAKE_LEFTOVER" 2>/dev/null

# A Wine that cannot start: the prefix script says why and fails.
rm -rf "$work/wine"
if FAKE_BROKEN=1 "$scripts/wine-prefix.sh" "$work/wine" 2>"$work/err"; then
  fail "wine-prefix.sh succeeded with a Wine that cannot start"
fi
grep -q "Wine cannot start on this machine: exec: wine: Exec format error" "$work/err" ||
  fail "wine-prefix.sh did not name the cause: $(cat "$work/err")"
[ ! -e "$work/wine/template" ] || fail "a prefix was made with a Wine that cannot start"

[ "$failures" -eq 0 ] && echo "wine runner: all checks passed"
exit $((failures > 0))
