#!/usr/bin/env bash
# Benchmark of the two request routines: starts the loopback test server, measures curl on a
# 5 MiB and a 64 MiB body, then runs fetch_bench.exe, which prints each routine's MB/s and
# its ratio to curl's figure from this same run.
#   bash tests/net/fetch_bench.sh <build dir | path of fetch_bench.exe>
# (scripts/bench.sh calls it with the build directory.)
# Uses the Wine session and test certificates of the caller when there are (scripts/test.sh),
# else makes its own and stops them afterwards.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"

if [ "${1:-}" = "--inner" ]; then
  shift
  read -r http _ _ <<<"$TL_FETCH_PORTS"
  figures=""
  for size in 5242880 67108864; do
    best=0
    for _ in 1 2 3; do
      speed=$(curl -s -o /dev/null -w '%{speed_download}' "http://127.0.0.1:$http/_bytes/$size")
      best=$(awk -v a="$best" -v b="$speed" 'BEGIN { print (b > a ? b : a) }')
    done
    figures="$figures $size=$(awk -v b="$best" 'BEGIN { printf "%.1f", b / 1e6 }')"
  done
  export TL_CURL_MBPS="${figures# }"
  exec wine "$@"
fi

exe=${1:?usage: fetch_bench.sh <build dir | fetch_bench.exe>}
if [ -d "$exe" ]; then exe="$exe/bin/fetch_bench.exe"; fi
work=$(mktemp -d)
session_started=0
cleanup() {
  if [ $session_started = 1 ]; then tl_session_stop "$work/session"; fi
  rm -rf "$work"
}
trap cleanup EXIT
if [ -z "${TL_TLS_DIR:-}" ]; then
  bash "$root/scripts/make-test-certs.sh" "$work/tls" localhost >/dev/null
  export TL_TLS_DIR="$work/tls"
fi
if [ -z "${WINEPREFIX:-}" ]; then
  source "$root/scripts/wine-session.sh"
  tl_session_start "$work/session"
  session_started=1
fi
bash "$root/tests/servers/with_fetch_server.sh" bash "$here/fetch_bench.sh" --inner "$exe"
