#!/usr/bin/env bash
# Runs a framework demo program under Wine, photographs the X display once
# enough pixels of each given colour are on screen, then asks the program to
# close (it watches for a stop file) and checks it ended with status 0.
# The picture stays in ARTIFACTS/NAME.png.
# Usage: program_screenshot.sh WINE_RUN PROGRAM ARTIFACTS NAME COLOUR:PIXELS...
#   COLOUR:PIXELS  e.g. '#1E5AA0:71760': at least that many pixels of exactly
#                  that colour, the mark of a picture the program shows.
set -uo pipefail
wine_run=$1
program=$2
artifacts=$3
name=$4
shift 4
: "${DISPLAY:?needs an X display}"
mkdir -p "$artifacts"
stop="$artifacts/$name.stop"
shot="$artifacts/$name.png"
rm -f "$stop" "$shot"

# Wine sees the Unix root as drive Z:.
"$wine_run" "$program" "Z:${stop//\//\\}" &
program_pid=$!

pixels_of() {
  convert "$shot" -fill black +opaque "$1" -fill white -opaque "$1" \
    -format '%[fx:round(mean*w*h)]' info: 2>/dev/null || echo 0
}
# Prints "colour found needed" per mark; fails while any is short.
marks_seen() {
  local mark colour needed found all=0
  for mark in "$@"; do
    colour=${mark%%:*}
    needed=${mark##*:}
    found=$(pixels_of "$colour")
    echo "$colour $found $needed"
    [ "$found" -ge "$needed" ] || all=1
  done
  return $all
}
seen=1
for _ in $(seq 1 60); do
  import -window root "$shot" 2>/dev/null
  if report=$(marks_seen "$@"); then seen=0; break; fi
  sleep 0.5
done

touch "$stop"
status=0
for _ in $(seq 1 40); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.5
done
if kill -0 "$program_pid" 2>/dev/null; then
  echo "$name did not close after the stop file appeared" >&2
  kill "$program_pid"
  status=1
fi
wait "$program_pid"
program_status=$?
rm -f "$stop"

echo "pixels on screen (colour found needed):"
echo "$report"
echo "screenshot: $shot"
[ "$seen" -eq 0 ] || { echo "not every mark was seen on screen" >&2; status=1; }
[ "$program_status" -eq 0 ] || { echo "$name exited with $program_status" >&2; status=1; }
exit $status
