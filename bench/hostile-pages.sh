#!/usr/bin/env bash
# bench/hostile-pages.sh
# Runs the whole calculate command through the WinInet read (tolvane-calc.exe
# under Wine) against quote servers that send hostile pages or misbehave, and
# prints, for each case, the wall time and peak memory of the program and
# whether the fields afterwards are the ones the arrived bytes give. Exits
# non-zero when a case exceeds its bound, crashes, or leaves wrong fields.
#
# The expected fields come from the native tolvane-calc run with --page on the
# bytes that arrived, so the two builds are compared field by field, byte for
# byte; the cases whose quotes are known are also checked against them.
#
# Builds the tolvane-calc target in build/win-hostile and build/native-hostile,
# or in the build folders named by TOLVANE_WIN_BUILD and TOLVANE_NATIVE_BUILD.
# Takes about 20 s: the trickle case alone waits for the read's time bound.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# One X display for the whole run, so that each program runs as the direct
# child of /usr/bin/time (scripts/wine-run execs Wine when DISPLAY is set).
if [ -z "${DISPLAY:-}" ]; then
  exec scripts/with-display "$0" "$@"
fi

win_build=${TOLVANE_WIN_BUILD:-build/win-hostile}
native_build=${TOLVANE_NATIVE_BUILD:-build/native-hostile}
[ -f "$win_build/CMakeCache.txt" ] || cmake --preset win -B "$win_build" >/dev/null
[ -f "$native_build/CMakeCache.txt" ] || cmake --preset native -B "$native_build" >/dev/null
cmake --build "$win_build" --target tolvane-calc -j2 >/dev/null
cmake --build "$native_build" --target tolvane-calc -j2 >/dev/null
win_calc=$win_build/tools/tolvane-calc/tolvane-calc.exe
native_calc=$native_build/tools/tolvane-calc/tolvane-calc

source scripts/lib/quote-server.sh
work=$(mktemp -d /tmp/hostile-pages.XXXXXX)
trap 'stop_quote_server || true; rm -rf "$work"' EXIT

# The pages, from fixed contents and a fixed seed, and the bodies that the
# scripted behaviours send (as tools/quote-server sends them).
python3 - "$work" <<'EOF'
import random
import sys

work = sys.argv[1]
quotes = "HKG18770/LLG2015.30/LLS23.85/USD7.7812/"

def write(name, data):
    with open(f"{work}/{name}", "wb") as f:
        f.write(data)

# The quote page of every day, as a reference row.
write("quote.html", f"<html><body><p>即时金银报价</p><div>{quotes}</div></body></html>\n"
      .encode("gbk"))

# 4 MiB of "HKG" with no "/": every position starts a match that never ends.
write("hkg-4mb.html", (b"HKG" * ((4 << 20) // 3 + 1))[: 4 << 20])

# 4 MiB of nothing but quote entries: a million captures for each field, and a
# silver search for every London gold entry.
write("entries-4mb.html", (b"HKG1/LLG2/LLS3/" * ((4 << 20) // 15 + 1))[: 4 << 20])

# 64 MiB of table rows (with "/" but no quote code), the quotes at the very end.
row = "<tr><td>九九金</td><td>港元/两</td><td>18755</td><td>18770</td></tr>\n".encode("gbk")
tail = f"<div>{quotes}</div>\n".encode("gbk")
filler = (64 << 20) - len(tail)
write("quotes-64mb.html", (row * (filler // len(row) + 1))[:filler] + tail)

# 2 MiB of random bytes: the first MiB without zero bytes and with quote codes
# at random places (so captures run over random bytes up to some "/"), then a
# zero byte, then a MiB of random bytes with zero bytes among them.
rng = random.Random(8)
first = bytearray(rng.randrange(1, 256) for _ in range(1 << 20))
for _ in range(48):
    at = rng.randrange(len(first) - 3)
    first[at:at + 3] = rng.choice([b"HKG", b"LLG", b"LLS"])
write("random.bin", bytes(first) + b"\0" + rng.randbytes(1 << 20))

write("announce-2gb.body", b"HKG18770/.")
write("redirect-loop.body", b"again")
EOF

field() {  # field NUMBER OUTPUT_FILE: the printed text of 编辑框NUMBER
  LC_ALL=C sed -n "s/^编辑框$1\t//p" "$2"
}

expect_field() {  # expect_field NUMBER TEXT OUTPUT_FILE
  local actual
  actual=$(field "$1" "$3")
  if [ "$actual" != "$2" ]; then
    echo "  编辑框$1 is \"$actual\", expected \"$2\"" >&2
    return 1
  fi
}

# Checks beyond the comparison with the native build, where the quotes are known.
check_no_quotes() {
  local n
  for n in 2 4 6; do expect_field "$n" "" "$1" || return 1; done
  for n in 5 7 8; do expect_field "$n" 0 "$1" || return 1; done
}

check_sample_quotes() {
  expect_field 2 18770 "$1" && expect_field 4 2015.30 "$1" && expect_field 6 23.85 "$1" &&
    expect_field 7 440.5950575114 "$1" && expect_field 8 5.214207374409 "$1" &&
    expect_field 5 402.1390632932 "$1"
}

check_hkg_only() {
  expect_field 2 18770 "$1" && expect_field 4 "" "$1" && expect_field 6 "" "$1"
}

# The trickled body is not known beforehand: whatever arrived within the
# bound, which must be between 1 and 16 "x" (one a second, 15 s at most).
trickled_body() {  # trickled_body OUTPUT_FILE BODY_FILE
  local text
  text=$(field 1 "$1")
  if ! [[ "$text" =~ ^x{1,16}$ ]]; then
    echo "  编辑框1 is \"${text:0:40}\", expected 1 to 16 \"x\"" >&2
    return 1
  fi
  printf '%s' "$text" >"$2"
}

# name | quote server arguments | URL path | seconds | peak MB | body that arrives | extra check
# The bounds. Time: 5 s for a page that arrives at once; 10 s for the 64 MB
# page; 17 s for the trickle, which only the read's own bound ends (no new wait
# 10 s after the read began, each wait at most 5 s) plus 2 s for Wine. Memory:
# 64 MB (Wine's own ~16 MB with room) plus six copies of the page (the body, the
# text of 编辑框1 and the copies that reading and printing it make).
cases=(
  "quote page|--page $work/quote.html|/wcpq_hkd.php|5|64|$work/quote.html|check_sample_quotes"
  "4 MB of HKG, no /|--page $work/hkg-4mb.html|/wcpq_hkd.php|5|88|$work/hkg-4mb.html|check_no_quotes"
  "4 MB of quote entries|--page $work/entries-4mb.html|/wcpq_hkd.php|5|88|$work/entries-4mb.html|"
  "64 MB page|--page $work/quotes-64mb.html|/wcpq_hkd.php|10|448|$work/quotes-64mb.html|check_sample_quotes"
  "random bytes, zeros|--page $work/random.bin|/wcpq_hkd.php|5|76|$work/random.bin|"
  "trickle 1 byte/s|--behaviour page|/trickle/wcpq_hkd.php|17|64|trickled|check_no_quotes"
  "announces 2 GB, sends 10|--behaviour page|/announce-2gb/wcpq_hkd.php|5|64|$work/announce-2gb.body|check_hkg_only"
  "redirect loop|--behaviour page|/redirect-loop/wcpq_hkd.php|5|64|$work/redirect-loop.body|check_no_quotes"
)

# One untimed run first, so that no case pays for starting the Wine server.
scripts/wine-run "$win_calc" --help >/dev/null 2>&1

# run_case SERVER_ARGS PATH OUT: runs tolvane-calc.exe against a quote server
# started with SERVER_ARGS, fetching PATH; the fields go to OUT, "SECONDS
# PEAK_KB STATUS" to stdout. Peak memory is the maximum resident set size that
# /usr/bin/time reads from the kernel when its child ends: wine-run and wine
# exec into the Wine loader, which becomes tolvane-calc.exe, so that child
# (under timeout, which waits for it) is the program itself, not wineserver or
# other Wine processes. A program that hangs is stopped after a minute.
run_case() {
  local status=0
  # shellcheck disable=SC2086  # the server arguments are words
  start_quote_server --port 0 $1 2>>"$work/server.log"
  /usr/bin/time -f '%e %M' -o "$3.time" timeout 60 \
    scripts/wine-run "$win_calc" --url "http://127.0.0.1:$QUOTE_SERVER_PORT$2" 编辑框12=6.8 \
    >"$3" 2>"$3.err" || status=$?
  stop_quote_server || true  # its wait reports the signal that stopped it
  echo "$(tail -n 1 "$3.time") $status"
}

# fields_verdict NAME OUT BODY CHECK: OK when the fields in OUT are the native
# build's for the bytes of BODY ("trickled": read them from OUT) and pass CHECK.
fields_verdict() {
  local name=$1 out=$2 body=$3 check=$4
  if [ "$body" = trickled ]; then
    body=$out.body
    trickled_body "$out" "$body" || { echo FAIL; return; }
  fi
  "$native_calc" --page "$body" 编辑框12=6.8 >"$out.expected"
  if ! cmp -s "$out" "$out.expected"; then
    echo "$name: the fields differ from the native build's for the same bytes" >&2
    diff <(cut -c1-200 "$out.expected") <(cut -c1-200 "$out") >&2 || true
    echo FAIL
  elif [ -n "$check" ] && ! "$check" "$out"; then
    echo "$name: the fields are not the known quotes" >&2
    echo FAIL
  else
    echo OK
  fi
}

row() {
  printf '| %-26s | %7s | %7s | %7s | %8s | %-6s | %-6s |\n' "$@"
}

# One untimed run first, so that no case pays for starting the Wine server.
scripts/wine-run "$win_calc" --help >/dev/null 2>&1

failures=0
rows=()
index=0
for entry in "${cases[@]}"; do
  IFS='|' read -r name server_args path max_seconds max_mb body check <<<"$entry"
  index=$((index + 1))
  out=$work/case$index.out
  read -r seconds peak_kb status < <(run_case "$server_args" "$path" "$out")
  peak_mb=$(( (peak_kb + 1023) / 1024 ))

  if [ "$status" != 0 ]; then
    echo "$name: tolvane-calc.exe exited with $status" >&2
    verdict=FAIL
  else
    verdict=$(fields_verdict "$name" "$out" "$body" "$check")
  fi
  within=yes
  if awk -v s="$seconds" -v max="$max_seconds" 'BEGIN { exit !(s > max) }' ||
     [ "$peak_mb" -gt "$max_mb" ]; then
    echo "$name: over its bound (${max_seconds} s, ${max_mb} MB)" >&2
    within=NO
  fi
  [ "$verdict" = OK ] && [ "$within" = yes ] || failures=$((failures + 1))
  rows+=("$(row "$name" "$seconds" "$max_seconds" "$peak_mb" "$max_mb" "$within" "$verdict")")
done

row case seconds "bound s" "peak MB" "bound MB" within fields
printf '|%s|%s|%s|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..28})" --------- --------- \
  --------- ---------- -------- --------
printf '%s\n' "${rows[@]}"
[ "$failures" = 0 ]
