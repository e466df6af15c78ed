#!/usr/bin/env bash
# Runs a command with the scriptable test server of fetch_server.py listening on loopback:
#   with_fetch_server.sh <command> [args...]
# The command sees TL_FETCH_PORTS="<http> <https> <untrusted>". The server is stopped by its
# PID afterwards and the command's exit code is passed on. A Windows executable (*.exe) is
# started through wine.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
tls_dir="${TL_TLS_DIR:-}"
if [ -z "$tls_dir" ] || [ ! -f "$tls_dir/server.pem" ]; then
  echo "with_fetch_server: TL_TLS_DIR does not hold the test certificates" >&2
  exit 2
fi
work=$(mktemp -d)
python3 "$here/fetch_server.py" --tls-dir "$tls_dir" --port-file "$work/ports" >"$work/server.log" 2>&1 &
server=$!
stop() {
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  rm -rf "$work"
}
trap stop EXIT
for _ in $(seq 1 200); do [ -f "$work/ports" ] && break; sleep 0.05; done
if [ ! -f "$work/ports" ]; then
  echo "with_fetch_server: the server did not start" >&2
  cat "$work/server.log" >&2
  exit 2
fi
export TL_FETCH_PORTS="$(cat "$work/ports")"
case "$1" in
  *.exe) wine "$@" ;;
  *) "$@" ;;
esac
rc=$?
if [ $rc -ne 0 ] && [ -s "$work/server.log" ]; then
  echo "--- server log ---" >&2
  tail -n 30 "$work/server.log" >&2
fi
exit $rc
