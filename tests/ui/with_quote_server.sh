#!/usr/bin/env bash
# with_quote_server.sh PAGE_FILE PROGRAM.exe [ARG...]
# Runs a Windows test program under Wine while the quote server serves
# PAGE_FILE on a free loopback port; the program finds the page's address in
# TOLVANE_TEST_QUOTE_URL.
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/quote-server.sh"
page=$1
shift
start_quote_server --port 0 --page "$page" 2>/dev/null || exit 1
trap stop_quote_server EXIT
export TOLVANE_TEST_QUOTE_URL="http://127.0.0.1:$QUOTE_SERVER_PORT/wcpq_hkd.php"
"$here/../../scripts/wine-run" "$@"
