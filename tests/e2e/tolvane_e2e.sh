#!/usr/bin/env bash
# tolvane_e2e.sh TOLVANE_EXE OUTPUT_DIR
# tolvane.exe itself, end to end: in a Wine virtual desktop of 1024 x 768 (in a
# prefix of its own, so that the other Wine tests keep their plain desktop),
# with the quote server on 127.0.0.1:80 where the built-in quote address
# points. Types a US dollar rate, clicks "计算" with xdotool, keeps a
# screenshot in OUTPUT_DIR, closes the window with Alt+F4 and checks that the
# program ends with exit code 0.
set -u
source "$(dirname "$0")/../../scripts/lib/e2e.sh"
source "$e2e_root/scripts/lib/quote-server.sh"
e2e_on_display "$@"
program=$1
out=$2
e2e_desktop_prefix
mkdir -p "$out"

start_quote_server --port 80 2>/dev/null || give_up "the quote server could not take 127.0.0.1:80"
trap stop_quote_server EXIT

start_tolvane "$program"
wait_for_window "Wine desktop" 4 || give_up "no virtual desktop window appeared"
desktop=$window

read -r client_x client_y <<<"$(centred_client_area 348 174)"
screenshot "$out/tolvane-opened.png"
# 编辑框2 (19, 1; 69 x 29), empty and black; 编辑框10 shows "0.81" in cyan.
[ "$(pixel "$out/tolvane-opened.png" $((client_x + 50)) $((client_y + 15)))" = "0 0 0" ] ||
  fail "编辑框2 is not where the layout puts it, or not black"
[ "$(cyan_pixels "$out/tolvane-opened.png" $((client_x + 19)) $((client_y + 1)) 69 29)" -eq 0 ] ||
  fail "编辑框2 is not empty when the window opens"

# 编辑框12 in 分组框2 (2, 72) at 133, 45; 按钮2 at 273, 45, 56 x 22.
xdotool mousemove --sync $((client_x + 2 + 133 + 28)) $((client_y + 72 + 45 + 10)) click 1
sleep 0.5
xdotool type --delay 100 "6.8"
xdotool mousemove --sync $((client_x + 2 + 273 + 28)) $((client_y + 72 + 45 + 11)) click 1
sleep 3
shot="$out/tolvane-calculated.png"
screenshot "$shot"

# The quotes of the sample page and the prices now show in cyan.
for field in "编辑框2 19 1 69 29" "编辑框4 101 1 69 29" "编辑框6 186 1 69 29" "编辑框3 270 1 69 29" \
             "编辑框5 27 41 71 28" "编辑框7 134 42 71 28" "编辑框8 240 42 71 28"; do
  read -r name left top width height <<<"$field"
  count=$(cyan_pixels "$shot" $((client_x + left)) $((client_y + top)) "$width" "$height")
  [ "$count" -gt 20 ] || fail "$name shows no number after the click ($count cyan pixels)"
done

# Keys go to the window that is active in the desktop: the main window.
xdotool windowfocus --sync "$desktop" 2>/dev/null
xdotool key alt+F4
expect_clean_exit "Alt+F4"
wineserver -k 2>/dev/null
echo "screenshots: $out/tolvane-opened.png, $shot"
finish
