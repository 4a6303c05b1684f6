#!/usr/bin/env bash
# rate_window_e2e.sh TOLVANE_EXE OUTPUT_DIR
# The exchange-rate window of tolvane.exe itself, in the Wine virtual desktop
# of 1024 x 768 of the end-to-end prefix: "汇率查看" clicked with xdotool, a
# screenshot of the open window kept in OUTPUT_DIR, the window closed with
# Alt+F4, then the main window closed the same way; the program must end with
# exit code 0. Wine here has no HTML engine, so the browser area stays blank.
set -u
source "$(dirname "$0")/../../scripts/lib/e2e.sh"
e2e_on_display "$@"
program=$1
out=$2
e2e_desktop_prefix
mkdir -p "$out"

start_tolvane "$program"
wait_for_window "Wine desktop" 4 || give_up "no virtual desktop window appeared"
desktop=$window

# Both windows are centred on the desktop.
read -r main_x main_y <<<"$(centred_client_area 348 174)"
read -r rate_x rate_y <<<"$(centred_client_area 380 250)"
# A point of the exchange-rate window's client area below the browser
# (376 x 216 at 0, 0), outside the main window.
strip_x=$((rate_x + 150))
strip_y=$((rate_y + 216 + 3))

screenshot "$out/rate-window-before.png"
before=$(pixel "$out/rate-window-before.png" "$strip_x" "$strip_y")

# 按钮1 "汇率查看" in 分组框2 (2, 72) at 200, 44, 56 x 22.
xdotool mousemove --sync $((main_x + 2 + 200 + 28)) $((main_y + 72 + 44 + 11)) click 1
sleep 3
shot="$out/rate-window-open.png"
screenshot "$shot"
open=$(pixel "$shot" "$strip_x" "$strip_y")
[ "$open" != "$before" ] || fail "no exchange-rate window at its centred place after the click ($open)"
# Without an HTML engine the browser area stays blank: one colour all over
# (its inner part; the frame cuts off the container's right edge).
colours=$(convert "$shot" -crop "360x200+$((rate_x + 4))+$((rate_y + 4))" +repage -format "%k" info:)
[ "$colours" -eq 1 ] || fail "the browser area is not blank ($colours colours)"

# Keys go to the active window: the exchange-rate window, then the main window.
xdotool windowfocus --sync "$desktop" 2>/dev/null
xdotool key alt+F4
sleep 3
screenshot "$out/rate-window-closed.png"
[ "$(pixel "$out/rate-window-closed.png" "$strip_x" "$strip_y")" = "$before" ] ||
  fail "the exchange-rate window is still there after Alt+F4"
kill -0 "$tolvane_pid" 2>/dev/null || fail "Alt+F4 on the exchange-rate window ended the program"

xdotool key alt+F4
expect_clean_exit "Alt+F4 on the main window"
wineserver -k 2>/dev/null
echo "screenshot: $shot"
finish
