#!/usr/bin/env bash
# tolvane_e2e.sh TOLVANE_EXE OUTPUT_DIR
# tolvane.exe itself, end to end: in a Wine virtual desktop of 1024 x 768 (in a
# prefix of its own, so that the other Wine tests keep their plain desktop),
# with the quote server on 127.0.0.1:80 where the built-in quote address
# points. Types a US dollar rate, clicks "计算" with xdotool, keeps a
# screenshot in OUTPUT_DIR, closes the window with Alt+F4 and checks that the
# program ends with exit code 0.
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
source "$root/scripts/lib/quote-server.sh"
wine_prepare_prefix

# The virtual desktop, once per prefix; `wine explorer /desktop=...` would
# give explorer's exit code instead of the program's.
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

# cyan_pixels FILE X Y WIDTH HEIGHT: how many display-text pixels the area holds.
cyan_pixels() {
  convert "$1" -crop "$4x$5+$2+$3" +repage txt:- |
    awk -F'[(),]' 'NR > 1 { if ($3 < 80 && $4 > 180 && $5 > 180) n++ } END { print n + 0 }'
}
# pixel FILE X Y: "R G B".
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
}

start_quote_server --port 80 2>/dev/null || { echo "FAIL: the quote server could not take 127.0.0.1:80" >&2; exit 1; }
trap stop_quote_server EXIT

wine "$program" </dev/null >/dev/null 2>&1 &
pid=$!

desktop=""
for _ in $(seq 1 60); do
  desktop=$(xdotool search --name "Wine desktop" 2>/dev/null | head -1)
  [ -n "$desktop" ] && break
  sleep 0.5
done
[ -n "$desktop" ] || fail "no virtual desktop window appeared"
sleep 4
eval "$(xdotool getwindowgeometry --shell "$desktop")"  # X, Y of the desktop on the screen

# The window is centred on the desktop; its client area starts below Wine's
# caption (19 pixels) inside the fixed frame (3 pixels).
client_x=$((X + (1024 - 348) / 2 + 3))
client_y=$((Y + (768 - 174) / 2 + 3 + 19))
import -window root "$out/tolvane-opened.png"
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
import -window root "$shot"

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
  fail "tolvane.exe did not end after Alt+F4"
  kill "$pid" 2>/dev/null
elif [ "$code" -ne 0 ]; then
  fail "tolvane.exe ended with exit code $code"
fi
wineserver -k 2>/dev/null
echo "screenshots: $out/tolvane-opened.png, $shot"
[ "$failures" -eq 0 ]
