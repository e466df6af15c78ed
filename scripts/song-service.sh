#!/usr/bin/env bash
# Starts or stops the embedded song service (nginx + the misbehaving file server) inside the
# private network namespace of a test or run session (scripts/test-namespace.sh).
#   song-service.sh start <dir> <search-host>     (needs TL_TLS_DIR)
#   song-service.sh stop <dir>
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cmd=$1 dir=$2
case "$cmd" in
  start)
    mkdir -p "$dir"
    python3 "$root/tests/songs/song_service.py" prepare "$dir" "$3" "$TL_TLS_DIR"
    nginx -c "$dir/nginx.conf" -p "$dir" -e "$dir/nginx-error.log"
    python3 "$root/tests/songs/song_service.py" badcdn "$dir" 8081 >"$dir/badcdn.log" 2>&1 &
    echo $! > "$dir/badcdn.pid"
    for _ in $(seq 1 50); do
      [ -f "$dir/nginx.pid" ] && (exec 3<>/dev/tcp/127.0.0.1/8081) 2>/dev/null && break
      sleep 0.1
    done
    ;;
  stop)
    for f in nginx badcdn; do
      if [ -f "$dir/$f.pid" ]; then
        pid=$(cat "$dir/$f.pid")
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 1 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        rm -f "$dir/$f.pid"
      fi
    done
    ;;
esac
