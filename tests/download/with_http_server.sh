#!/usr/bin/env bash
# Runs a command (the test program through its usual runner) with the
# download tests' HTTP server beside it: http_server.py listens on a free
# port of 127.0.0.1, which the command finds in SM_TEST_HTTP_PORT. The
# server is stopped when this script ends, however it ends; should this
# script be killed outright, the server notices and stops by itself.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)

exec {port_fd}< <(exec python3 "$here/http_server.py" "$$")
server_pid=$!
stop_server() { kill "$server_pid" 2>/dev/null; }
trap stop_server EXIT

if ! read -r -t 30 port <&"$port_fd" || [ -z "$port" ]; then
  echo "with_http_server: the test server did not start" >&2
  exit 1
fi
exec {port_fd}<&-
export SM_TEST_HTTP_PORT="$port"
# In the background, so that a signal to this script is handled at once:
# it is passed on to the command, and the server is stopped on the way out.
"$@" &
command_pid=$!
trap 'kill -TERM "$command_pid" 2>/dev/null; exit 143' TERM INT HUP
wait "$command_pid"
