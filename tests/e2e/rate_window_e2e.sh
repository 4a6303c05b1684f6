#!/usr/bin/env bash
# rate_window_e2e.sh TOLVANE_EXE OUTPUT_DIR
# The exchange-rate window of tolvane.exe itself, in the Wine virtual desktop
# of 1024 x 768 of the end-to-end prefix: "汇率查看" clicked with xdotool, a
# screenshot of the open window kept in OUTPUT_DIR, the window closed with
# Alt+F4, then the main window closed the same way; the program must end with
# exit code 0. Wine here has no HTML engine, so the browser area stays blank.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
program=$1
out=$2

if [ -z "${DISPLAY:-}" ]; then
  exec "$root/scripts/with-display" "$0" "$@"
fi
export TOLVANE_WINEPREFIX="${TOLVANE_E2E_WINEPREFIX:-$root/build/wineprefix-e2e}"
source "$root/scripts/lib/wine-env.sh"
wine_prepare_prefix

# The same virtual desktop as tolvane_e2e.sh sets up, once per prefix.
if [ ! -f "$WINEPREFIX/.tolvane-desktop" ]; then
  reg="$WINEPREFIX/tolvane-desktop.reg"
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1024x768"\r\n' >"$reg"
  wine regedit /S "$(winepath -w "$reg")" </dev/null >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.tolvane-desktop"
fi
mkdir -p "$out"

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# pixel FILE X Y: "R G B".
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
}

wine "$program" </dev/null >/dev/null 2>&1 &
pid=$!

# The desktop window of a prefix used for the first time may be replaced while
# Wine starts, so it is looked up again until its geometry can be read.
desktop=""
geometry=""
for _ in $(seq 1 60); do
  desktop=$(xdotool search --name "Wine desktop" 2>/dev/null | head -1)
  [ -n "$desktop" ] && geometry=$(xdotool getwindowgeometry --shell "$desktop" 2>/dev/null)
  [ -n "$geometry" ] && break
  sleep 0.5
done
if [ -z "$geometry" ]; then
  echo "FAIL: no virtual desktop window appeared" >&2
  kill "$pid" 2>/dev/null
  exit 1
fi
sleep 4
eval "$geometry"  # X, Y of the desktop on the screen

# Both windows are centred on the desktop; a client area starts below Wine's
# caption (19 pixels) inside the fixed frame (3 pixels).
main_x=$((X + (1024 - 348) / 2 + 3))
main_y=$((Y + (768 - 174) / 2 + 3 + 19))
rate_left=$((X + (1024 - 380) / 2))
rate_top=$((Y + (768 - 250) / 2))
# A point of the exchange-rate window's client area below the browser
# (376 x 216 at 0, 0), outside the main window.
strip_x=$((rate_left + 3 + 150))
strip_y=$((rate_top + 3 + 19 + 216 + 3))

import -window root "$out/rate-window-before.png"
before=$(pixel "$out/rate-window-before.png" "$strip_x" "$strip_y")

# 按钮1 "汇率查看" in 分组框2 (2, 72) at 200, 44, 56 x 22.
xdotool mousemove --sync $((main_x + 2 + 200 + 28)) $((main_y + 72 + 44 + 11)) click 1
sleep 3
shot="$out/rate-window-open.png"
import -window root "$shot"
open=$(pixel "$shot" "$strip_x" "$strip_y")
[ "$open" != "$before" ] || fail "no exchange-rate window at its centred place after the click ($open)"
# Without an HTML engine the browser area stays blank: one colour all over
# (its inner part; the frame cuts off the container's right edge).
colours=$(convert "$shot" -crop "360x200+$((rate_left + 3 + 4))+$((rate_top + 22 + 4))" +repage \
  -format "%k" info:)
[ "$colours" -eq 1 ] || fail "the browser area is not blank ($colours colours)"

# Keys go to the active window: the exchange-rate window, then the main window.
xdotool windowfocus --sync "$desktop" 2>/dev/null
xdotool key alt+F4
sleep 3
import -window root "$out/rate-window-closed.png"
[ "$(pixel "$out/rate-window-closed.png" "$strip_x" "$strip_y")" = "$before" ] ||
  fail "the exchange-rate window is still there after Alt+F4"
kill -0 "$pid" 2>/dev/null || fail "Alt+F4 on the exchange-rate window ended the program"

xdotool key alt+F4
code=""
for _ in $(seq 1 40); do
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    code=$?
    break
  fi
  sleep 0.5
done
if [ -z "$code" ]; then
  fail "tolvane.exe did not end after Alt+F4 on the main window"
  kill "$pid" 2>/dev/null
elif [ "$code" -ne 0 ]; then
  fail "tolvane.exe ended with exit code $code"
fi
wineserver -k 2>/dev/null
echo "screenshot: $shot"
[ "$failures" -eq 0 ]
