#!/usr/bin/env bash
# The demo: the stand-in taskbar with sample windows and Rowtender beside it, under Wine, on your
# display when DISPLAY is set and on a private Xvfb otherwise. Prints what connects the two and saves
# screenshots under build/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build build/win64 -j"${JOBS:-2}" \
  --target Rowtender HookDll testbar rowtender-probe rowtender-list rowtender-tray crashhost

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

# A first start, as on a new machine (the welcome balloon is due), except that the window shows at
# start (the tray setting asks for it) so that it can be photographed.
wine reg delete 'HKCU\Software\Kelvane\Rowtender' /f >/dev/null 2>&1 || true
wine reg add 'HKCU\Software\Kelvane\Rowtender' /v StartInTray /t REG_DWORD /d 0 /f >/dev/null 2>&1

# The balloons among the tray calls the stand-in forwarded to the shell, decoded from Wine's call
# record (texts in UTF-16; flags, time-out and icon as 32-bit numbers).
balloon_calls() {
  ctl traycalls | python3 -c '
import sys
requests = {0: "NIM_ADD", 1: "NIM_MODIFY", 2: "NIM_DELETE"}
icons = {0: "no icon", 1: "information icon", 2: "warning icon", 3: "error icon"}
def number(data, at): return int.from_bytes(data[at:at + 4], "little")
def text(data, at, chars): return data[at:at + 2 * chars].decode("utf-16-le").split("\0")[0]
for line in sys.stdin:
    words = line.split()
    if len(words) != 3 or not words[0].isdigit(): continue
    data = bytes.fromhex(words[2])
    if len(data) < 928 or not number(data, 8) & 0x10 or not text(data, 280, 256): continue
    print("%s, flags 0x%x: balloon \"%s\", %s, %d s" % (requests.get(int(words[0]), words[0]), number(data, 8),
          text(data, 796, 64), icons.get(number(data, 924) & 3), number(data, 792) // 1000))
    for part in text(data, 280, 256).split("\r\n"): print("    " + part)
'
}

wine "$bin/testbar.exe" >/dev/null 2>&1 &
pids+=($!)
wait_for 30 "the stand-in taskbar" ctl order
echo "--- the stand-in taskbar's buttons"
ctl order

# The list's hint shows at the pointer while the list is hovered, and when the drivers below post
# the mouse to the list: the pointer waits in a free corner, or the hint would cover the list, and a
# picture of one window shows black where another window covers it.
xdotool mousemove 1270 10 2>/dev/null || true
(cd "$bin" && wine Rowtender.exe >/dev/null 2>&1) &
pids+=($!)
wait_for 30 "Rowtender to hand over its window" sh -c "wine '$bin/testbar.exe' --ctl messages 2>/dev/null | grep -q WM_TAKEHWND"
wait_for 30 "the snapshot to reach Rowtender" sh -c "wine '$bin/rowtender-probe.exe' 2>/dev/null | grep -v 'entries: 0' | grep -q entries"
echo "--- what the stand-in's toolbar received"
ctl messages
echo "--- what reached Rowtender"
wine "$bin/rowtender-probe.exe" 2>/dev/null | tr -d '\r'

# The stand-in's title and the program's hidden application window start with "Rowtender" too:
# the main window is the largest visible window of that name that is not the stand-in.
main_window() {
  local best="" largest=0 WIDTH=0 HEIGHT=0 w
  for w in $(xdotool search --onlyvisible --name '^Rowtender' 2>/dev/null || true); do
    [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "Rowtender test taskbar" ] && continue
    eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null | grep -E '^(WIDTH|HEIGHT)=')"
    if [ $((WIDTH * HEIGHT)) -gt "$largest" ]; then largest=$((WIDTH * HEIGHT)) best=$w; fi
  done
  echo "$best"
}
window_shot() { # window file
  if [ -n "$1" ]; then import -window "$1" "$2"; else import -window root "$2"; fi
}
# A window (or the whole screen when none is named) photographed once it has finished painting:
# two pictures in a row, a moment apart, alike.
still_shot() { # window file
  local target=${1:-root} previous="" now limit=$(( $(date +%s) + 10 ))
  while :; do
    now=$(import -window "$target" rgb:- 2>/dev/null | md5sum)
    [ "$now" = "$previous" ] || [ "$(date +%s)" -ge "$limit" ] && break
    previous=$now
    sleep 0.2
  done
  window_shot "$1" "$2"
}
window_shot "$(main_window)" "$out/main-window.png"
import -window root "$out/screen.png"
echo "--- screenshots: $out/main-window.png, $out/screen.png"
echo "--- the welcome balloon of the first start, as the stand-in's tray log recorded the call"
balloon_calls

# The About page: the version and the program's link date.
wine "$bin/rowtender-list.exe" page 2 >/dev/null 2>&1
still_shot "$(main_window)" "$out/about-page.png"
wine "$bin/rowtender-list.exe" page 0 >/dev/null 2>&1
echo "--- the About page: $out/about-page.png"

# The tray menu, opened as a right press on the icon opens it, its items printed as the system holds
# them and photographed; then the switch turned Off (the list gives way to its notice, the
# stand-in's toolbar is told to forget the window) and On again (the window handed back, the list
# refreshed), each by a click on its item.
tray() { wine "$bin/rowtender-tray.exe" "$@" 2>/dev/null | tr -d '\r'; }
toolbar_got() { ctl messages | grep -qE "$1"; }
ctl clear >/dev/null
menu=$(tray open)
read -r _ _ menu_x menu_y menu_w menu_h <<<"$(head -n 1 <<<"$menu")"
still_shot "" "$out/screen-menu.png"
convert "$out/screen-menu.png" -crop "${menu_w}x${menu_h}+${menu_x}+${menu_y}" +repage "$out/tray-menu.png"
echo "--- the tray menu's items (caption and marks): $out/tray-menu.png"
tail -n +2 <<<"$menu"
tray pick "O&ff"
wait_for 15 "the window to be withdrawn" toolbar_got '^WM_TAKEHWND 0 0$'
echo "--- switched Off: what the stand-in's toolbar received"
ctl messages
still_shot "$(main_window)" "$out/switched-off.png"
echo "--- the list while Off: $out/switched-off.png"
ctl clear >/dev/null
tray open >/dev/null
tray pick "&On"
wait_for 15 "the window to be handed back" toolbar_got '^WM_TAKEHWND 0 [1-9]'
wait_for 15 "the list to refresh" wine "$bin/rowtender-list.exe" ready
echo "--- switched On again: what the stand-in's toolbar received"
ctl messages

# The main job: reordering the stand-in's buttons from the list with Up, Down and a drag. Rows are
# the list's top-level items (groups folded).
list() { wine "$bin/rowtender-list.exe" "$@" >/dev/null 2>&1; }
order_changed() { [ "$(ctl order)" != "$(cat "$out/order-before.txt")" ]; }
taskbar_shot() {
  window_shot "$(xdotool search --name '^Rowtender test taskbar$' 2>/dev/null | head -n 1 || true)" "$1"
}
reorder() { # description screenshot driver-arguments...
  local what=$1 shot=$2
  shift 2
  ctl order >"$out/order-before.txt"
  echo "--- $what"
  list "$@"
  sleep 0.3  # the slide takes about 0.7 s: photograph it halfway
  taskbar_shot "$out/$shot"
  wait_for 15 "the taskbar to change" order_changed
  wait_for 15 "the list to unlock" list ready
  sleep 1  # the refreshed list arrives just after the lock ends
  ctl order
}
reorder "Up on the second item" taskbar-up-mid-animation.png up 1
reorder "Down on the first item" taskbar-down-mid-animation.png down 0
reorder "the first item dragged onto the third" taskbar-drag-mid-animation.png drag 0 2
window_shot "$(main_window)" "$out/list-after-moves.png"
echo "--- screenshots: $out/taskbar-*-mid-animation.png, $out/list-after-moves.png"

# --- A drag on the taskbar itself: the pointer presses "Notepad - todo.txt", slides onto the
# collapsed Browser group and holds there while the screen is photographed (the translucent ghost
# and the red frame), then drops; the hook library forwards the toolbar's mouse messages to
# Rowtender. (After the moves above, "Command Prompt" follows the Explorer group's windows, so the
# list counts it in that group, as it does any window behind a group's windows.)
echo "--- dragging \"Notepad - todo.txt\" on the stand-in taskbar onto the Browser group"
bar_window=$(xdotool search --name '^Rowtender test taskbar$' 2>/dev/null | head -n 1 || true)
if [ -n "$bar_window" ]; then
  eval "$(xdotool getwindowgeometry --shell "$bar_window")"  # X, Y of the stand-in's top-left
  toolbar_x=$((X + 2)) toolbar_y=$((Y + 2))                  # the toolbar sits inside a 2-pixel border
  # Prints the centre of the button titled $1 and its left edge, in screen coordinates.
  button_at() {
    ctl order | awk -F'\t' -v t="$1" -v ox="$toolbar_x" -v oy="$toolbar_y" \
      '$6 == t { split($5, r, ","); print ox + int((r[1] + r[3]) / 2), oy + int((r[2] + r[4]) / 2), ox + r[1]; exit }'
  }
  # A move from the list above locks the list until the taskbar's new order has been read again.
  wait_for 15 "the list to unlock" wine "$bin/rowtender-list.exe" ready
  read -r from_x from_y _ < <(button_at "Notepad - todo.txt")
  read -r to_x to_y frame_x < <(button_at "Browser")
  to_x=$((to_x + 40))  # right of the centre: the frame's left edge stays clear of the ghost
  order_before=$(ctl order)
  xdotool mousemove "$from_x" "$from_y" mousedown 1
  for step in 1 2 3 4; do
    xdotool mousemove $((from_x + (to_x - from_x) * step / 4)) "$to_y"
  done
  # The stand-in repaints a button the pointer enters after Rowtender has drawn over it, as the
  # taskbar does. Each look photographs the taskbar, then moves the pointer one pixel up or down
  # within the button, a move that repaints nothing: the next picture shows what Rowtender drew.
  jiggle=0
  frame_shown() {
    import -window "$bar_window" "$out/taskbar-drag.png" 2>/dev/null
    local shown=1
    convert "$out/taskbar-drag.png" -crop "1x1+$((frame_x - X))+$((to_y - Y))" txt:- | grep -qi '#FF0000' && shown=0
    jiggle=$((1 - jiggle))
    xdotool mousemove "$to_x" $((to_y + jiggle))
    return $shown
  }
  if wait_for 5 "the red frame on the taskbar" frame_shown; then
    shows="the ghost and the red frame"
  else
    shows="no red frame was seen on the taskbar"
  fi
  echo "--- mid-drag screenshot ($shows): $out/taskbar-drag.png"
  xdotool mouseup 1
  wait_for 15 "the drop to reorder the taskbar" sh -c "[ \"\$(wine '$bin/testbar.exe' --ctl order 2>/dev/null | tr -d '\r')\" != '$order_before' ]" || true
  echo "--- the stand-in taskbar's buttons after the drag"
  ctl order
else
  echo "no stand-in taskbar window found on the display; the drag is left out"
fi

# An error report: the crash test host, set up with the program's own exception handler, meets an
# access violation; its report dialog is photographed, then the host is ended.
report_host=$out/report-host
mkdir -p "$report_host"
cp "$bin/crashhost.exe" "$report_host/"
(cd "$report_host" && exec wine crashhost.exe --report-dialogs access-violation quit >/dev/null 2>&1) &
report_pid=$!
pids+=($report_pid)
if wait_for 30 "the error report dialog" xdotool search --onlyvisible --name '^Rowtender Error Report$'; then
  report_window=$(xdotool search --onlyvisible --name '^Rowtender Error Report$' | head -n 1)
  wait_for 10 "the report's screenshot" test -f "$report_host/screenshot.png"
  still_shot "$report_window" "$out/error-report.png"
  echo "--- the error report dialog after a fault: $out/error-report.png"
else
  echo "no error report dialog was seen"
fi
kill "$report_pid" 2>/dev/null || true
