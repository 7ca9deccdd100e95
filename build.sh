#!/usr/bin/env bash
# Builds everything (host tools and the Windows side).
# Usage: ./build.sh [--no-run]
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
run=1
for arg in "$@"; do
  case "$arg" in
    --no-run) run=0 ;;
    -h|--help) sed -n '2,3p' "$0"; exit 0 ;;
    *) echo "build.sh: unknown argument '$arg'" >&2; exit 2 ;;
  esac
done
"$root/scripts/deps.sh"
"$root/scripts/configure.sh"
