#!/usr/bin/env bash
# The demo: the stand-in taskbar with sample windows and Rowtender beside it, under Wine, on your
# display when DISPLAY is set and on a private Xvfb otherwise. Prints what connects the two and saves
# screenshots under build/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build build/win64 -j"${JOBS:-2}" --target Rowtender HookDll testbar rowtender-probe

out=$root/build/demo
mkdir -p "$out"
[ -n "${DISPLAY:-}" ] && export ROWTENDER_USE_DISPLAY=1
source scripts/wine-env.sh
wine_env_up "$out/wine"
bin=$root/build/win64/bin
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wine_env_down "$out/wine"
}
trap cleanup EXIT

wait_for() { # seconds description command...
  local limit=$(( $(date +%s) + $1 )) what=$2; shift 2
  until "$@" >/dev/null 2>&1; do
    if [ "$(date +%s)" -ge "$limit" ]; then echo "timed out waiting for $what" >&2; return 1; fi
    sleep 0.2
  done
}
ctl() { wine "$bin/testbar.exe" --ctl "$*" 2>/dev/null | tr -d '\r'; }

# The window shows at start (the tray setting asks for it) so that it can be photographed.
wine reg add 'HKCU\Software\Kelvane\Rowtender' /v StartInTray /t REG_DWORD /d 0 /f >/dev/null 2>&1

wine "$bin/testbar.exe" >/dev/null 2>&1 &
pids+=($!)
wait_for 30 "the stand-in taskbar" ctl order
echo "--- the stand-in taskbar's buttons"
ctl order

(cd "$bin" && wine Rowtender.exe >/dev/null 2>&1) &
pids+=($!)
wait_for 30 "Rowtender to hand over its window" sh -c "wine '$bin/testbar.exe' --ctl messages 2>/dev/null | grep -q WM_TAKEHWND"
wait_for 30 "the snapshot to reach Rowtender" sh -c "wine '$bin/rowtender-probe.exe' 2>/dev/null | grep -v 'entries: 0' | grep -q entries"
echo "--- what the stand-in's toolbar received"
ctl messages
echo "--- what reached Rowtender"
wine "$bin/rowtender-probe.exe" 2>/dev/null | tr -d '\r'

window=$(xdotool search --name '^Rowtender' 2>/dev/null | head -n 1 || true)
if [ -n "$window" ]; then
  import -window "$window" "$out/main-window.png"
else
  import -window root "$out/main-window.png"
fi
import -window root "$out/screen.png"
echo "--- screenshots: $out/main-window.png, $out/screen.png"
