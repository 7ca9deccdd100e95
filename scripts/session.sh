# Sourced: starts the X display and the warm wineserver that tests and the
# build's run of the installer need, and stops exactly those at exit.
# Needs SM_WINE_ROOT (the build tree's wine folder).
here_session=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
sm_wine_ready=1
"$here_session/wine-prefix.sh" "$SM_WINE_ROOT" || sm_wine_ready=0
. "$here_session/wine-env.sh"

sm_xvfb_pid=""
sm_session_stop() {
  WINEPREFIX="$SM_WINE_TEMPLATE" wineserver -k 2>/dev/null || true
  if [ -n "$sm_xvfb_pid" ]; then kill "$sm_xvfb_pid" 2>/dev/null || true; fi
}

# Xvfb on a free display number, chosen by Xvfb itself.
sm_start_xvfb() {
  local fifo display
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 </dev/null &
  sm_xvfb_pid=$!
  read -r display <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$display"
}

sm_start_wineserver() {
  # Detached from our stdio, so ctest's pipes are not held open.
  WINEPREFIX="$SM_WINE_TEMPLATE" wineserver -p >/dev/null 2>&1 </dev/null
  WINEPREFIX="$SM_WINE_TEMPLATE" timeout 300 wine wineboot >/dev/null 2>&1 </dev/null || true
}
