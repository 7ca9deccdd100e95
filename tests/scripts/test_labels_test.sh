#!/usr/bin/env bash
# The labels every test carries reach ctest, so that `ctest -L GROUP` (and
# `./test.sh -L GROUP`) selects that group and only it.
# Usage: test_labels_test.sh CTEST BUILD_TREE
set -uo pipefail
ctest=$1
cd "$2" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
names() { "$ctest" -N "$@" | sed -n 's/^ *Test *#[0-9]*: //p'; }

e2e=$(names -L e2e)
grep -q '^Answers/FreshInstall\.' <<<"$e2e" || fail "-L e2e does not select the installer's end-to-end cases"
grep -q '^SmB64\.' <<<"$e2e" && fail "-L e2e selects codec cases, which run no installer"
display=$(names -L display)
grep -q '^Answers/FreshInstall\.' <<<"$display" || fail "-L display does not select the cases that open windows"
wine=$(names -L wine)
grep -q '^SmB64\.' <<<"$wine" || fail "-L wine does not select the Windows side's unit cases"
grep -q '^Answers/FreshInstall\.' <<<"$wine" || fail "-L wine does not select the Windows side's end-to-end cases"
wow64=$(names -L wow64)
if [ -n "$wow64" ]; then
  grep -qv '^WoW64\.' <<<"$wow64" && fail "-L wow64 selects cases outside the 64-bit prefix"
  grep -q '^WoW64\.Answers/FreshInstall\.' <<<"$wow64" || fail "-L wow64 does not select the WoW64 installer cases"
fi
[ "$failures" -eq 0 ] && echo "labels select their groups"
exit "$failures"
