# Shared Wine environment of every Wine test and of scripts/run; sourced, not run.
#
# wine_env: exports the prefix (build/wineprefix) and quiet, prompt-free settings.
# wine_prepare_prefix: creates the prefix once, with font replacements for the
#   Song face the program asks for, and without offers to download Mono or Gecko.

tolvane_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

wine_env() {
  export WINEPREFIX="${TOLVANE_WINEPREFIX:-$tolvane_root/build/wineprefix}"
  export WINEARCH=win64
  export WINEDEBUG="${WINEDEBUG:--all}"
  # No Mono or Gecko installer: the program needs neither.
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=}"
}

# The replacement keys are not ASCII: regedit reads them correctly only from a
# UTF-16LE file with a BOM and the version 5 header.
wine_font_registry() {
  local face="AR PL UMing CN" name
  printf '\xff\xfe'
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for name in 宋体 SimSun NSimSun 新宋体 "MS Shell Dlg" "MS Shell Dlg 2"; do
      printf '"%s"="%s"\r\n' "$name" "$face"
    done
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\MSHTML]\r\n'
    printf '"GeckoUrl"=""\r\n'
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n'
    printf '"ShowCrashDialog"=dword:00000000\r\n'
  } | iconv -f UTF-8 -t UTF-16LE
}

wine_prepare_prefix() {
  wine_env
  local marker="$WINEPREFIX/.tolvane-ready"
  [ -f "$marker" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$marker" ] && exit 0
    echo "Preparing the Wine prefix in $WINEPREFIX ..." >&2
    WINEDLLOVERRIDES="mscoree=;mshtml=" wineboot --init </dev/null >/dev/null 2>&1
    local reg="$WINEPREFIX/tolvane-fonts.reg"
    wine_font_registry >"$reg"
    wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" </dev/null >/dev/null 2>&1
    # Caption buttons are glyphs of Wine's Marlett font, which Debian's Wine
    # ships but does not register in a new prefix: without it they read "0 1 r".
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
    wineserver -w
    touch "$marker"
  ) 9>"$(dirname "$WINEPREFIX")/.wineprefix.lock"
}
