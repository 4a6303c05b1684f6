# The bundled quote server in the background, for scripts/run and the tests
# that need it; sourced, not run.
#
# start_quote_server [ARG...]: starts tools/quote-server on loopback with the
#   arguments given (add --port 0 for a free port) and waits until it listens;
#   sets QUOTE_SERVER_PID and QUOTE_SERVER_PORT. Fails when it does not start.
# stop_quote_server: stops it.

quote_server_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

start_quote_server() {
  local announced
  announced=$(mktemp)
  python3 "$quote_server_root/tools/quote-server" --host 127.0.0.1 "$@" >"$announced" &
  QUOTE_SERVER_PID=$!
  QUOTE_SERVER_PORT=""
  local tries
  for tries in $(seq 100); do
    QUOTE_SERVER_PORT=$(sed -n 's/^listening on .*:\([0-9][0-9]*\)$/\1/p' "$announced")
    [ -n "$QUOTE_SERVER_PORT" ] && break
    kill -0 "$QUOTE_SERVER_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$announced"
  if [ -z "$QUOTE_SERVER_PORT" ]; then
    echo "quote server did not start" >&2
    stop_quote_server
    return 1
  fi
}

stop_quote_server() {
  [ -n "${QUOTE_SERVER_PID:-}" ] || return 0
  kill "$QUOTE_SERVER_PID" 2>/dev/null
  wait "$QUOTE_SERVER_PID" 2>/dev/null
  QUOTE_SERVER_PID=""
}
