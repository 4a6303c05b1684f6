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
source "$here/../../scripts/lib/quote-server.sh"

work=$(mktemp -d)
trap 'stop_quote_server; rm -rf "$work"' EXIT
start_quote_server --port 0 --page "$here/quote_page.html" --record "$work/requests" \
  2>"$work/log" || { cat "$work/log" >&2; exit 1; }

# Wine's drive Z: is the root of the Unix file system.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
export TOLVANE_QUOTE_SERVER="127.0.0.1:$QUOTE_SERVER_PORT"
export TOLVANE_QUOTE_PAGE=$(windows_path "$here/quote_page.html")
export TOLVANE_QUOTE_RECORD=$(windows_path "$work/requests")

"$here/../../scripts/wine-run" "$@"
status=$?
if [ "$status" -ne 0 ]; then
  echo "--- requests the quote server received:" >&2
  cat "$work/log" >&2
fi
exit "$status"
