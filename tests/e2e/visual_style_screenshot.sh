#!/usr/bin/env bash
# visual_style_screenshot.sh TOLVANE_EXE OUTPUT_DIR
# Starts tolvane.exe under Wine, rests the mouse on "计算" with xdotool, keeps
# screenshots of the screen in OUTPUT_DIR and checks the painted colours in
# them: the button's orange hover band, its white band once the mouse has
# gone, and the blue border of a field. Needs its own X display (with-display
# starts one when DISPLAY is unset), on which no window manager runs, so that
# the program's X window is its client area.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
program=$1
out=$2

if [ -z "${DISPLAY:-}" ]; then
  exec "$root/scripts/with-display" "$0" "$@"
fi
source "$root/scripts/lib/wine-env.sh"
wine_prepare_prefix
mkdir -p "$out"

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# pixel FILE X Y: "R G B" of one screen pixel.
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
}

# expect_colour WHAT FILE X Y R G B TOLERANCE
expect_colour() {
  local what=$1 file=$2 x=$3 y=$4 r=$5 g=$6 b=$7 tolerance=$8 actual
  actual=$(pixel "$file" "$x" "$y")
  read -r ar ag ab <<<"$actual"
  local d
  for d in $((ar - r)) $((ag - g)) $((ab - b)); do
    if [ "${d#-}" -gt "$tolerance" ]; then
      fail "$what at $x,$y: got $actual, expected $r $g $b"
      return
    fi
  done
  echo "ok: $what ($actual)"
}

wine "$program" >/dev/null 2>&1 &
pid=$!
window=""
for _ in $(seq 1 60); do
  window=$(xdotool search --name "Tolvane  by:vokm" 2>/dev/null | head -1)
  [ -n "$window" ] && break
  sleep 0.5
done
if [ -z "$window" ]; then
  kill "$pid" 2>/dev/null
  echo "FAIL: the main window did not appear" >&2
  exit 1
fi
sleep 2
eval "$(xdotool getwindowgeometry --shell "$window")"  # X, Y: the client area on the screen

# 按钮2: at 273, 45 in 分组框2, which is at 2, 72 in the client area; 56 × 22.
button_left=$((X + 2 + 273))
button_top=$((Y + 72 + 45))
xdotool mousemove $((button_left + 28)) $((button_top + 11))
sleep 1
import -window root "$out/hover-over-calculate.png"
xdotool mousemove $((X + 150)) $((Y + 20))
sleep 1
import -window root "$out/mouse-gone.png"

# A gradient's last row stops one step (here up to 12 per channel) short of its bottom colour.
band_x=$((button_left + 8))
expect_colour "hover band, top row" "$out/hover-over-calculate.png" $band_x $((button_top + 2)) 255 240 207 4
expect_colour "hover band, bottom row" "$out/hover-over-calculate.png" $band_x $((button_top + 19)) 229 151 0 12
expect_colour "button frame" "$out/hover-over-calculate.png" $((button_left + 1)) $((button_top + 11)) 0 60 115 0
expect_colour "normal band, top row" "$out/mouse-gone.png" $band_x $((button_top + 2)) 255 255 255 4
expect_colour "normal band, bottom row" "$out/mouse-gone.png" $band_x $((button_top + 19)) 226 223 214 12
# 编辑框4 (101, 1 in the client area, 69 × 29): the outer frame and the white ring.
expect_colour "field border" "$out/mouse-gone.png" $((X + 101)) $((Y + 15)) 123 158 189 0
expect_colour "field inner ring" "$out/mouse-gone.png" $((X + 102)) $((Y + 15)) 255 255 255 0

xdotool key --window "$window" alt+F4 2>/dev/null
for _ in $(seq 1 20); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.5
done
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
echo "screenshots in $out"
[ "$failures" -eq 0 ]
