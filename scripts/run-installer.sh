#!/usr/bin/env bash
# Runs a built installer under Wine in a fresh copy of the build tree's
# prefix. With a display (DISPLAY answers), the installer is yours to use;
# without one it runs on a private Xvfb display, where a driver saves a
# screenshot of its screen next to the installer (consent_screen.png) and
# leaves by "Salir". Exits with the installer's exit code.
# Usage: run-installer.sh INSTALLER.exe
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
installer=$(realpath "$1")
export SM_BUILD_DIR="${SM_BUILD_DIR:-$here/../build}"
export SM_WINE_ROOT="$SM_BUILD_DIR/win/wine"
. "$here/session.sh"
if [ "$sm_wine_ready" != 1 ]; then
  echo "run-installer: Wine cannot run the installer on this machine (see above); it is built and verified: $installer" >&2
  exit 1
fi

prefix="$SM_WINE_ROOT/run"
rm -rf "$prefix"
cp -a "$SM_WINE_TEMPLATE/." "$prefix/"
export WINEPREFIX="$prefix"
stop() {
  wineserver -k 2>/dev/null
  [ -n "$sm_xvfb_pid" ] && kill "$sm_xvfb_pid" 2>/dev/null
}
trap stop EXIT

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "run-installer: running $installer on $DISPLAY (prefix $prefix)"
  wine "$installer"
  exit $?
fi

sm_start_xvfb

shot_bmp="$(dirname "$installer")/consent_screen.bmp"
driver="$SM_BUILD_DIR/win/drive/consent_preview.exe"
wine "$driver" "$(winepath -w "$installer")" "$(winepath -w "$shot_bmp")" </dev/null
code=$?
if [ -f "$shot_bmp" ]; then
  convert "$shot_bmp" "${shot_bmp%.bmp}.png" && rm -f "$shot_bmp"
  echo "run-installer: screenshot of the consent screen in ${shot_bmp%.bmp}.png"
fi
echo "run-installer: the installer ended with exit code $code"
exit "$code"
