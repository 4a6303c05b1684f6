# What the end-to-end checks in tests/e2e share: tolvane.exe under Wine on an
# X display, driven with xdotool and judged from screenshots; sourced, not run.
#
# Setting up
# e2e_on_display "$@": when DISPLAY is unset, runs the calling script again,
#   with the same arguments, under scripts/with-display (an Xvfb display of
#   its own, without a window manager).
# e2e_shared_prefix: the shared Wine prefix, prepared; the program's X window
#   is then its client area.
# e2e_desktop_prefix: a prefix of its own (build/wineprefix-e2e, or
#   TOLVANE_E2E_WINEPREFIX) in which programs run in a Wine virtual desktop of
#   e2e_desktop_width x e2e_desktop_height, so that the other Wine tests keep
#   their plain desktop.
#
# The program
# start_tolvane PROGRAM: starts it under Wine in the background; sets tolvane_pid.
# wait_for_window NAME SECONDS: waits up to 30 seconds for an X window of that
#   name, then SECONDS more for the program to paint it; sets window (its id)
#   and X, Y (its place on the screen then). Fails when none appears.
# centred_client_area WIDTH HEIGHT: prints "X Y", the screen place of the
#   client area of a fixed-frame window of that size centred on the virtual
#   desktop at X, Y.
# expect_clean_exit AFTER: waits up to 20 seconds for tolvane.exe to end and
#   checks its exit code is 0; AFTER names what should have ended it. Kills it
#   when it does not end.
#
# Checks
# fail MESSAGE: reports a failed check and counts it; the script goes on.
# give_up MESSAGE: reports a failure after which nothing can be checked,
#   stops tolvane.exe and exits 1.
# finish: exits 0 when no check failed, 1 otherwise.
#
# Screenshots
# screenshot FILE: the whole screen into FILE.
# pixel FILE X Y: "R G B" of one pixel.
# colour_near FILE X Y R G B TOLERANCE: whether the pixel is that colour, give
#   or take TOLERANCE per channel.
# expect_colour WHAT FILE X Y R G B TOLERANCE: the same as a check: prints ok
#   or fails.
# cyan_pixels FILE X Y WIDTH HEIGHT: how many pixels of the area are in the
#   cyan of the fields' text.

e2e_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$e2e_root/scripts/lib/wine-env.sh"

e2e_desktop_width=1024
e2e_desktop_height=768
# Wine's frame of a window that cannot be resized, and its caption.
e2e_frame=3
e2e_caption=19

failures=0
tolvane_pid=""

e2e_on_display() {
  [ -n "${DISPLAY:-}" ] || exec "$e2e_root/scripts/with-display" "$0" "$@"
}

e2e_shared_prefix() {
  wine_prepare_prefix
}

# The virtual desktop is set in the registry, once per prefix:
# `wine explorer /desktop=...` would give explorer's exit code instead of the
# program's.
e2e_desktop_prefix() {
  export TOLVANE_WINEPREFIX="${TOLVANE_E2E_WINEPREFIX:-$e2e_root/build/wineprefix-e2e}"
  wine_prepare_prefix
  [ -f "$WINEPREFIX/.tolvane-desktop" ] && return 0
  local reg="$WINEPREFIX/tolvane-desktop.reg"
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="%dx%d"\r\n' \
    "$e2e_desktop_width" "$e2e_desktop_height" >"$reg"
  wine regedit /S "$(winepath -w "$reg")" </dev/null >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.tolvane-desktop"
}

start_tolvane() {
  wine "$1" </dev/null >/dev/null 2>&1 &
  tolvane_pid=$!
}

wait_for_window() {
  e2e_look_up_window "$1" || return 1
  sleep "$2"
  e2e_look_up_window "$1"
}

# A window shown for the first time in a prefix may be replaced while Wine
# starts, so it is looked up again until its geometry can be read.
e2e_look_up_window() {
  local name=$1 geometry=""
  for _ in $(seq 1 60); do
    window=$(xdotool search --name "$name" 2>/dev/null | head -1)
    [ -n "$window" ] && geometry=$(xdotool getwindowgeometry --shell "$window" 2>/dev/null)
    [ -n "$geometry" ] && break
    sleep 0.5
  done
  [ -n "$geometry" ] || return 1
  X=$(sed -n 's/^X=//p' <<<"$geometry")
  Y=$(sed -n 's/^Y=//p' <<<"$geometry")
}

centred_client_area() {
  echo $((X + (e2e_desktop_width - $1) / 2 + e2e_frame)) \
       $((Y + (e2e_desktop_height - $2) / 2 + e2e_frame + e2e_caption))
}

expect_clean_exit() {
  local after=$1 code=""
  for _ in $(seq 1 40); do
    if ! kill -0 "$tolvane_pid" 2>/dev/null; then
      wait "$tolvane_pid"
      code=$?
      break
    fi
    sleep 0.5
  done
  if [ -z "$code" ]; then
    fail "tolvane.exe did not end after $after"
    kill "$tolvane_pid" 2>/dev/null
  elif [ "$code" -ne 0 ]; then
    fail "tolvane.exe ended with exit code $code"
  fi
}

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

give_up() {
  echo "FAIL: $*" >&2
  [ -z "$tolvane_pid" ] || kill "$tolvane_pid" 2>/dev/null
  exit 1
}

finish() {
  [ "$failures" -eq 0 ] && exit 0
  exit 1
}

screenshot() {
  import -window root "$1"
}

pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
}

colour_near() {
  local r g b difference
  read -r r g b <<<"$(pixel "$1" "$2" "$3")"
  for difference in $((r - $4)) $((g - $5)) $((b - $6)); do
    [ "${difference#-}" -le "$7" ] || return 1
  done
}

expect_colour() {
  local what=$1
  shift
  if colour_near "$@"; then
    echo "ok: $what ($(pixel "$1" "$2" "$3"))"
  else
    fail "$what at $2,$3: got $(pixel "$1" "$2" "$3"), expected $4 $5 $6"
  fi
}

cyan_pixels() {
  convert "$1" -crop "$4x$5+$2+$3" +repage txt:- |
    awk -F'[(),]' 'NR > 1 { if ($3 < 80 && $4 > 180 && $5 > 180) n++ } END { print n + 0 }'
}
