#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (address and
# undefined-behaviour sanitizers) into <build folder>/fuzz and fuzzes them
# one after the other, one job at a time, starting from the seed corpus.
#
# Usage: fuzz/run.sh [SECONDS_PER_TARGET] [TARGET]...
#   default: 1800 seconds for each of archive_walk smx_tools cab_reader
#   installer_reader sm_b64 read_line. SM_BUILD_DIR names the build folder (default: build).
#
# New inputs go to <build>/fuzz/corpus/<target> (the seeds in fuzz/corpus
# stay as they are); findings to <build>/fuzz/findings/<target>; the log of
# each run, with libFuzzer's figures, to <build>/fuzz/logs/<target>.log.
# A finding, once fixed, is copied to fuzz/regressions/<target>/ under a
# name that says what it broke; ./test.sh replays it from then on.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${SM_BUILD_DIR:-$root/build}/fuzz"
seconds="${1:-1800}"
shift || true
targets=("$@")
[ "${#targets[@]}" -eq 0 ] && targets=(archive_walk smx_tools cab_reader installer_reader sm_b64 read_line)

if [ ! -f "$build/Makefile" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSM_FUZZ=ON \
    -DSM_OUT_DIR="$build/out" >/dev/null
fi
cmake --build "$build" -j 1 --target $(printf 'fuzz_%s ' "${targets[@]}") >/dev/null

for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings" "$build/logs"
  echo "== $target: ${seconds}s"
  # One job; the seeds are read, the new inputs kept apart from them.
  "$build/fuzz/fuzz_$target" "$corpus" "$root/fuzz/corpus/$target" \
    -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$findings/" -timeout=10 -rss_limit_mb=2048 \
    >"$build/logs/$target.log" 2>&1 || echo "   $target stopped: see $build/logs/$target.log" >&2
  grep -E '^#[0-9]+.*DONE|stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb' \
    "$build/logs/$target.log" || tail -5 "$build/logs/$target.log"
done
