#!/usr/bin/env bash
# Measures packing and installing a product of the real product's shape.
#
#   ./bench.sh [--scale full|small|FRACTION] [--runs N] [--seed N]
#
# 1. builds both sides (scripts/configure.sh) and the benchmark's programs;
# 2. generates the product tree (bench/make_tree.py, seeded) into
#    BUILD/bench/SCALE-SEED/OrvNet, unless the same one is already there;
# 3. N times, alternating the order: smx pack, smx cab and the packing floor
#    (plain zlib deflate of the same archive), with wall time and peak memory;
#    then ./build.sh --no-run of the product beside the build floor (the
#    files concatenated, then gcab -c -z), page cache dropped before each;
# 4. binds the cabinet into an installer (target bench_installer) and, N
#    times, in a fresh copy of the Wine prefix on a private X display: the
#    installer driven from outside (bench/install_driver.cpp) and the install
#    floor (bench/floor_install.cpp), plain and with the screen updates the
#    run's design asks for (--screen), each going first in turn, with the
#    page cache dropped before each when the system allows it; and the
#    installer's payload check alone (bench/payload_check.cpp);
# 5. prints the table (median and range of each figure beside its floor) and
#    writes it to OUT/bench.md.
# Defaults: full scale, 3 runs (5 at other scales), seed 2500. BUILD is
# SM_BUILD_DIR (default: build); OUT is SM_OUT_DIR (default: out/, or
# BUILD/out for another build folder).
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
scale=full
runs=""
seed=2500
while [ $# -gt 0 ]; do
  case "$1" in
    --scale|--runs|--seed)
      [ $# -ge 2 ] || { echo "bench.sh: $1 needs a value" >&2; exit 2; }
      case "$1" in --scale) scale=$2 ;; --runs) runs=$2 ;; --seed) seed=$2 ;; esac
      shift ;;
    -h|--help) sed -n '2,24p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "bench.sh: unknown argument '$1' (see --help)" >&2; exit 2 ;;
  esac
  shift
done
[ -n "$runs" ] || { [ "$scale" = full ] && runs=3 || runs=5; }
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || { echo "bench.sh: --runs needs a positive number" >&2; exit 2; }
[[ "$seed" =~ ^[0-9]+$ ]] || { echo "bench.sh: --seed needs a number" >&2; exit 2; }
started=$(date +%s)
load_before=$(cut -d' ' -f1-3 /proc/loadavg)

"$root/scripts/deps.sh"
export SM_BUILD_DIR="${SM_BUILD_DIR:-$root/build}"
"$root/scripts/configure.sh"
if [ "$SM_BUILD_DIR" = "$root/build" ]; then out_default="$root/out"; else out_default="$SM_BUILD_DIR/out"; fi
out="${SM_OUT_DIR:-$out_default}"
smx="$out/bin/smx"
host="$SM_BUILD_DIR/host"
win="$SM_BUILD_DIR/win"
# The install runs need Wine to run the installer: where the kernel cannot
# run 32-bit programs, they use the x86-64 test build (see test.sh), and
# the table says so.
installer_build="the shipped 32-bit build"
if ! "$root/scripts/wine-prefix.sh" "$win/wine" 2>/dev/null; then
  SM_SIDES=win64 "$root/scripts/configure.sh"
  win="$SM_BUILD_DIR/win64"
  installer_build="the x86-64 test build under 64-bit Wine (this kernel cannot run 32-bit programs)"
fi
cmake --build "$host" --target deflate_floor >/dev/null
cmake --build "$win" --target install_driver floor_install payload_check >/dev/null

work="$SM_BUILD_DIR/bench/${scale//[^A-Za-z0-9.]/_}-$seed"
product="$work/OrvNet"
mkdir -p "$work"
# The tree is made again only when the generator or its arguments changed.
recipe="$(sha256sum "$root/bench/make_tree.py" | cut -d' ' -f1) $scale $seed"
if [ ! -d "$product" ] || [ "$(cat "$work/.recipe" 2>/dev/null)" != "$recipe" ]; then
  echo "bench.sh: generating the product ($scale, seed $seed)"
  rm -f "$work/.recipe"
  python3 "$root/bench/make_tree.py" "$product" --scale "$scale" --seed "$seed" --replace
  echo "$recipe" > "$work/.recipe"
fi

results="$work/results.tsv"
: > "$results"
timed() {  # timed STEP RUN COMMAND...: wall time and peak memory of one command
  local step=$1 run=$2
  shift 2
  /usr/bin/time -f "%e %M" -o "$work/time.txt" "$@" >/dev/null
  read -r wall peak < "$work/time.txt"
  printf '%s\t%s\twall_s=%s\tpeak_kb=%s\n' "$step" "$run" "$wall" "$peak" >> "$results"
}
marks=(--keep 'Data/*.tbl' --keep 'OrvServer/Data/*.tbl')
echo "bench.sh: packing, $runs runs"
for run in $(seq "$runs"); do
  pack_and_cab() {
    timed pack "$run" "$smx" pack "$product" -o "$work/OrvNet.smx" "${marks[@]}"
    timed cab "$run" "$smx" cab "$work/OrvNet.smx" -o "$work/OrvNet.cab"
  }
  deflate_floor() { timed deflate "$run" "$host/bench/deflate_floor" "$work/OrvNet.smx" "$work/deflated.bin"; }
  if [ $((run % 2)) -eq 1 ]; then pack_and_cab; deflate_floor; else deflate_floor; pack_and_cab; fi
done
rm -f "$work/deflated.bin"

drop_caches() {
  sync
  if [ -w /proc/sys/vm/drop_caches ]; then echo 1 > /proc/sys/vm/drop_caches; fi
}
caches_dropped=no
[ -w /proc/sys/vm/drop_caches ] && caches_dropped=yes

# The maker's whole build of a release beside the plainest build of the same
# bytes: the files concatenated in name order, then gcab -c -z (one MSZIP
# cabinet). build.sh leaves its outputs in OUT; the sample product's are
# made again at the end.
echo "bench.sh: build.sh --no-run beside its floor, $runs runs"
build_floor="find '$product' -type f -print0 | sort -z | xargs -0 cat > '$work/floor.bin' && gcab -c -z '$work/floor.cab' '$work/floor.bin'"
for run in $(seq "$runs"); do
  whole_build() { drop_caches; timed build "$run" "$root/build.sh" --no-run "$product"; }
  plain_build() { drop_caches; timed buildfloor "$run" bash -c "$build_floor"; }
  if [ $((run % 2)) -eq 1 ]; then whole_build; plain_build; else plain_build; whole_build; fi
done
rm -f "$work/floor.bin" "$work/floor.cab"
"$root/build.sh" --no-run >/dev/null

# The installer carries the cabinet just made; cmake rebuilds it only when
# the cabinet changed.
cmp -s "$work/OrvNet.cab" "$win/bench/OrvNet.cab" || cp "$work/OrvNet.cab" "$win/bench/OrvNet.cab"
cmake --build "$win" --target bench_installer installer_bare >/dev/null

export SM_WINE_ROOT="$win/wine"
. "$root/scripts/session.sh"
prefix="$work/prefix"
stop() {
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  rm -rf "$prefix"
  sm_session_stop
}
trap stop EXIT
sm_start_xvfb
installer_w=$(winepath -w "$win/bench/bench_installer.exe")
cabinet_w=$(winepath -w "$work/OrvNet.cab")
echo "bench.sh: installing under Wine, $runs runs"
for run in $(seq "$runs"); do
  rm -rf "$prefix"
  cp -a "$SM_WINE_TEMPLATE/." "$prefix/"
  export WINEPREFIX="$prefix"
  wineserver -p >/dev/null 2>&1 </dev/null
  wine wineboot >/dev/null 2>&1 </dev/null || true
  run_installer() {
    drop_caches
    line=$(wine "$win/bench/install_driver.exe" "$installer_w" </dev/null) || {
      echo "bench.sh: run $run: the installer run failed" >&2; exit 1; }
    printf 'install\t%s\t%s\n' "$run" "${line// /$'\t'}" >> "$results"
  }
  run_floor() {  # run_floor STEP [--screen]
    local step=$1
    shift
    drop_caches
    line=$(wine "$win/bench/floor_install.exe" "$@" "$cabinet_w" "C:\\$step" </dev/null) || {
      echo "bench.sh: run $run: the floor program failed" >&2; exit 1; }
    printf '%s\t%s\t%s\n' "$step" "$run" "${line// /$'\t'}" >> "$results"
  }
  line=$(wine "$win/bench/payload_check.exe" "$cabinet_w" </dev/null) || {
    echo "bench.sh: run $run: the payload check failed" >&2; exit 1; }
  printf 'check\t%s\t%s\n' "$run" "${line// /$'\t'}" >> "$results"
  # Each program goes first in turn.
  case $((run % 3)) in
    1) run_installer; run_floor floor; run_floor screenfloor --screen ;;
    2) run_floor floor; run_floor screenfloor --screen; run_installer ;;
    0) run_floor screenfloor --screen; run_installer; run_floor floor ;;
  esac
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  rm -rf "$prefix"
done

shape=$(python3 - "$root/bench" "$scale" <<'PY'
import sys
sys.path.insert(0, sys.argv[1])
import make_tree
s = make_tree.Shape(make_tree.scale_value(sys.argv[2]))
print(f"records={s.records}\nfolders={s.folders}\nfiles={s.files}\nempty={s.empty}\n"
      f"archive_bytes={s.archive_bytes}\nlargest_file={s.largest}")
PY
)
elapsed=$(( $(date +%s) - started ))
{
  echo "$shape"
  echo "scale=$scale"
  echo "runs=$runs"
  echo "payload_bytes=$(stat -c %s "$work/OrvNet.cab")"
  echo "bare_installer_bytes=$(stat -c %s "$win/app/installer_bare.exe")"
  echo "cpus=$(nproc)"
  echo "load_before=$load_before"
  echo "load_after=$(cut -d' ' -f1-3 /proc/loadavg)"
  echo "caches_dropped=$caches_dropped"
  echo "installer_build=$installer_build"
  echo "commit=$(git -C "$root" rev-parse --short HEAD 2>/dev/null || echo unknown)"
  echo "date=$(date -u '+%Y-%m-%d %H:%M UTC')"
  echo "elapsed=$((elapsed / 60)) min $((elapsed % 60)) s"
} > "$work/meta.txt"
mkdir -p "$out"
python3 "$root/bench/report.py" "$results" "$work/meta.txt" "$out/bench.md"
echo "bench.sh: table written to $out/bench.md"
