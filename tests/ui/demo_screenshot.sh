#!/usr/bin/env bash
# Runs the framework demo under Wine, photographs the X display once the
# banner is on screen, then asks the demo to close and checks it ended well.
# The picture stays in ARTIFACTS/ui_demo.png.
# Usage: demo_screenshot.sh WINE_RUN DEMO_EXE ARTIFACTS
set -uo pipefail
wine_run=$1
demo=$2
artifacts=$3
: "${DISPLAY:?needs an X display}"
mkdir -p "$artifacts"
stop="$artifacts/ui_demo.stop"
shot="$artifacts/ui_demo.png"
rm -f "$stop" "$shot"

# Wine sees the Unix root as drive Z:.
"$wine_run" "$demo" "Z:${stop//\//\\}" &
demo_pid=$!

# The banner is a 650 x 138 field of one colour; seeing nearly all of it
# means the window, its Image control and the bitmap resource all work.
banner_pixels() {
  convert "$shot" -fill black +opaque '#1E5AA0' -fill white -opaque '#1E5AA0' \
    -format '%[fx:round(mean*w*h)]' info: 2>/dev/null || echo 0
}
expected=$((650 * 138 * 8 / 10))
found=0
for _ in $(seq 1 60); do
  import -window root "$shot" 2>/dev/null
  found=$(banner_pixels)
  [ "$found" -ge "$expected" ] && break
  sleep 0.5
done

touch "$stop"
status=0
for _ in $(seq 1 40); do
  kill -0 "$demo_pid" 2>/dev/null || break
  sleep 0.5
done
if kill -0 "$demo_pid" 2>/dev/null; then
  echo "demo did not close after the stop file appeared" >&2
  kill "$demo_pid"
  status=1
fi
wait "$demo_pid"
demo_status=$?
rm -f "$stop"

echo "banner pixels on screen: $found (need $expected); screenshot: $shot"
[ "$found" -ge "$expected" ] || { echo "banner not seen on screen" >&2; status=1; }
[ "$demo_status" -eq 0 ] || { echo "demo exited with $demo_status" >&2; status=1; }
exit $status
