#!/usr/bin/env bash
# Starts or ends the test SMTP server's control process for one build folder (a CTest fixture of
# the Windows-side tests; by hand before running those tests or the mail benchmark directly).
#   smtp-peer.sh up DIR     start it (or keep the one running); its control port is in DIR/control-port
#   smtp-peer.sh down DIR   end the process that "up" started
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

alive() { [ -f "$1/pid" ] && kill -0 "$(cat "$1/pid")" 2>/dev/null; }

wait_for() { # seconds condition...
  local limit=$(( $(date +%s) + $1 )); shift
  until "$@"; do
    [ "$(date +%s)" -ge "$limit" ] && return 1
    sleep 0.1
  done
}

up() {
  local dir=$1
  mkdir -p "$dir"
  alive "$dir" && [ -f "$dir/control-port" ] && return 0
  rm -f "$dir/control-port"
  setsid /usr/bin/python3 "$here/smtp_server.py" control --dir "$dir" </dev/null >"$dir/log" 2>&1 &
  echo $! >"$dir/pid"
  if ! wait_for 20 test -s "$dir/control-port"; then
    echo "smtp-peer: the test SMTP server did not start; its log:" >&2
    cat "$dir/log" >&2
    return 1
  fi
}

gone() { ! kill -0 "$1" 2>/dev/null; }

down() {
  local dir=$1
  if alive "$dir"; then
    local pid
    pid=$(cat "$dir/pid")
    kill "$pid"
    wait_for 10 gone "$pid" || echo "smtp-peer: process $pid did not end" >&2
  fi
  rm -f "$dir/pid" "$dir/control-port"
}

case "${1:-}" in
  up) up "$2" ;;
  down) down "$2" ;;
  *) echo "usage: $0 up|down DIR" >&2; exit 2 ;;
esac
