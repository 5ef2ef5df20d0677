#!/usr/bin/env bash
# A private Wine environment for one build folder: its own prefix, its own Xvfb display and one
# persistent wineserver. Used by the tests, the benchmarks and the demo.
#   wine-env.sh up DIR      start (or reuse) the display and the server; prints the variables to export
#   wine-env.sh down DIR    end the server and the display that "up" started
#   source wine-env.sh      for the functions alone
# A caller that already has DISPLAY and sets ROWTENDER_USE_DISPLAY=1 keeps its own display.

wine_env_wait() { # seconds condition...
  local limit=$(( $(date +%s) + $1 )); shift
  until "$@"; do
    [ "$(date +%s)" -ge "$limit" ] && return 1
    sleep 0.1
  done
}

wine_env_display_alive() {
  [ -f "$1/xvfb.pid" ] && kill -0 "$(cat "$1/xvfb.pid")" 2>/dev/null &&
    [ -S "/tmp/.X11-unix/X$(cat "$1/display")" ]
}

wine_env_display_ours() { # dir number
  [ -S "/tmp/.X11-unix/X$2" ] && [ "$(tr -d ' \n' <"/tmp/.X$2-lock" 2>/dev/null)" = "$(cat "$1/xvfb.pid")" ]
}

wine_env_start_display() {
  local dir=$1 n
  for n in $(seq 91 160); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    # 9>&-: the display must not hold the lock, or a later start would wait on it forever.
    setsid Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp </dev/null >"$dir/xvfb.log" 2>&1 9>&- &
    echo $! >"$dir/xvfb.pid"
    echo "$n" >"$dir/display"
    # Another run may take the same number at the same moment: the display is ours only when its
    # lock names our server.
    if wine_env_wait 10 wine_env_display_ours "$dir" "$n"; then return 0; fi
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null
  done
  echo "wine-env: no free X display" >&2
  return 1
}

wine_env_up() {
  local dir=$1
  mkdir -p "$dir"
  dir=$(cd "$dir" && pwd)
  exec 9>"$dir/lock"
  flock 9
  export WINEPREFIX="$dir/prefix" WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
  if [ "${ROWTENDER_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
    :
  else
    wine_env_display_alive "$dir" || wine_env_start_display "$dir" || { flock -u 9; return 1; }
    export DISPLAY=":$(cat "$dir/display")"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i </dev/null >"$dir/wineboot.log" 2>&1 9>&-
  fi
  # A server that inherits our output slows every later start, so detach it. On a new prefix the
  # server that wineboot started is still running, and -p then fails: that server serves as well.
  setsid wineserver -p </dev/null >/dev/null 2>&1 9>&- || true
  if [ ! -f "$dir/ready" ] || [ "$(cat "$dir/ready")" != "$DISPLAY" ]; then
    wine cmd /c exit 0 </dev/null >/dev/null 2>&1 9>&-
    echo "$DISPLAY" >"$dir/ready"
  fi
  flock -u 9
}

wine_env_down() {
  local dir=$1
  [ -d "$dir" ] || return 0
  dir=$(cd "$dir" && pwd)
  if [ -d "$dir/prefix" ]; then
    WINEPREFIX="$dir/prefix" wineserver -k </dev/null >/dev/null 2>&1
    WINEPREFIX="$dir/prefix" wineserver -w </dev/null >/dev/null 2>&1
  fi
  if [ -f "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null
    rm -f "$dir/xvfb.pid"
  fi
  rm -f "$dir/ready"
  return 0
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  case "${1:-}" in
    up) wine_env_up "$2" && echo "export WINEPREFIX='$WINEPREFIX' DISPLAY='$DISPLAY' WINEDEBUG='$WINEDEBUG'" ;;
    down) wine_env_down "$2" ;;
    *) echo "usage: $0 up|down DIR" >&2; exit 2 ;;
  esac
fi
