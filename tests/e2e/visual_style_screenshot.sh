#!/usr/bin/env bash
# visual_style_screenshot.sh TOLVANE_EXE OUTPUT_DIR
# Starts tolvane.exe under Wine, rests the mouse on "计算" with xdotool, keeps
# screenshots of the screen in OUTPUT_DIR and checks the painted colours in
# them: the button's orange hover band, its white band once the mouse has
# gone, its pressed look while the left button is held on it and its raised
# face once let go, and the blue border of a field. Needs its own X display
# (with-display starts one when DISPLAY is unset), on which no window manager
# runs, so that the program's X window is its client area.
set -u
source "$(dirname "$0")/../../scripts/lib/e2e.sh"
e2e_on_display "$@"
program=$1
out=$2
e2e_shared_prefix
mkdir -p "$out"

# shoot FILE X Y R G B TOLERANCE -- ACTION...: runs the xdotool ACTION, then
# screenshots the screen into FILE until the pixel shows the colour. Real
# input through a shared Wine server is now and then lost, so the action is
# tried up to three times; the checks that follow judge the last screenshot.
shoot() {
  local file=$1 x=$2 y=$3 r=$4 g=$5 b=$6 tolerance=$7 attempt
  shift 8
  for attempt in 1 2 3; do
    "$@"
    sleep 1
    screenshot "$file"
    colour_near "$file" "$x" "$y" "$r" "$g" "$b" "$tolerance" && return
  done
}

start_tolvane "$program"
# X, Y: the client area on the screen.
wait_for_window "Tolvane  by:vokm" 2 || give_up "the main window did not appear"

# 按钮2: at 273, 45 in 分组框2, which is at 2, 72 in the client area; 56 × 22.
button_left=$((X + 2 + 273))
button_top=$((Y + 72 + 45))
band_x=$((button_left + 8))
band_top=$((button_top + 2))
band_bottom=$((button_top + 19))
away="mousemove $((X + 150)) $((Y + 20))"
onto="mousemove $((button_left + 28)) $((button_top + 11))"

shoot "$out/hover-over-calculate.png" $band_x $band_top 255 240 207 4 -- \
  xdotool $away sleep 0.5 $onto
shoot "$out/mouse-gone.png" $band_x $band_top 255 255 255 4 -- xdotool $away
# Held down on the button, then let go elsewhere, which is no click. A click on
# the empty top of 分组框1 first makes the window active.
shoot "$out/pressed-calculate.png" $band_x $band_top 209 204 193 4 -- \
  xdotool $away mouseup 1 mousemove $((X + 200)) $((Y + 34)) click 1 sleep 1 $onto sleep 0.5 mousedown 1
shoot "$out/released-elsewhere.png" $band_x $((button_top + 4)) 252 252 251 3 -- \
  xdotool $away sleep 0.5 mouseup 1

# A gradient's last row stops one step (here up to 12 per channel) short of its bottom colour.
expect_colour "hover band, top row" "$out/hover-over-calculate.png" $band_x $band_top 255 240 207 4
expect_colour "hover band, bottom row" "$out/hover-over-calculate.png" $band_x $band_bottom 229 151 0 12
expect_colour "button frame" "$out/hover-over-calculate.png" $((button_left + 1)) $((button_top + 11)) 0 60 115 0
expect_colour "normal band, top row" "$out/mouse-gone.png" $band_x $band_top 255 255 255 4
expect_colour "normal band, bottom row" "$out/mouse-gone.png" $band_x $band_bottom 226 223 214 12
expect_colour "pressed band, top row" "$out/pressed-calculate.png" $band_x $band_top 209 204 193 4
expect_colour "pressed face" "$out/pressed-calculate.png" $band_x $((button_top + 5)) 231 227 222 3
expect_colour "raised face once released" "$out/released-elsewhere.png" $band_x $((button_top + 4)) 252 252 251 3
# 编辑框4 (101, 1 in the client area, 69 × 29): the outer frame and the white ring.
expect_colour "field border" "$out/mouse-gone.png" $((X + 101)) $((Y + 15)) 123 158 189 0
expect_colour "field inner ring" "$out/mouse-gone.png" $((X + 102)) $((Y + 15)) 255 255 255 0

xdotool key --window "$window" alt+F4 2>/dev/null
for _ in $(seq 1 20); do
  kill -0 "$tolvane_pid" 2>/dev/null || break
  sleep 0.5
done
kill "$tolvane_pid" 2>/dev/null
wait "$tolvane_pid" 2>/dev/null
echo "screenshots in $out"
finish
