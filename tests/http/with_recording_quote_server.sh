#!/usr/bin/env bash
# with_recording_quote_server.sh PROGRAM.exe [ARG...]
# Runs a Windows test program under Wine while a quote server listens on a free
# loopback port, serving quote_page.html and recording every request it gets.
# The program finds them in its environment:
#   TOLVANE_QUOTE_SERVER  host:port of the server
#   TOLVANE_QUOTE_PAGE    Windows path of the page it serves
#   TOLVANE_QUOTE_RECORD  Windows path of the file of raw request heads
# The server runs natively beside Wine and stops when the program ends.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

work=$(mktemp -d)
server=""
stop() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -rf "$work"
}
trap stop EXIT

python3 "$root/tools/quote-server" --host 127.0.0.1 --port 0 --page "$here/quote_page.html" \
  --record "$work/requests" >"$work/announced" 2>"$work/log" &
server=$!
address=""
for _ in $(seq 100); do
  address=$(sed -n 's/^listening on //p' "$work/announced")
  [ -n "$address" ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$address" ]; then
  echo "the quote server did not start:" >&2
  cat "$work/log" >&2
  exit 1
fi

# Wine's drive Z: is the root of the Unix file system.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
export TOLVANE_QUOTE_SERVER=$address
export TOLVANE_QUOTE_PAGE=$(windows_path "$here/quote_page.html")
export TOLVANE_QUOTE_RECORD=$(windows_path "$work/requests")

"$root/scripts/wine-run" "$@"
status=$?
if [ "$status" -ne 0 ]; then
  echo "--- requests the quote server received:" >&2
  cat "$work/log" >&2
fi
exit "$status"
