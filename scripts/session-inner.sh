#!/usr/bin/env bash
# The part of scripts/test.sh and scripts/bench.sh that runs inside `unshare -m -n`:
# private network, fresh Wine session and the song service, then the tests or benchmarks.
# Arguments: test <build dir> [ctest args]  |  bench <build dir> [name filter]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
mode=$1 build=$2; shift 2
env_dir="$build/testenv"
source "$root/scripts/test-namespace.sh"
source "$root/scripts/wine-session.sh"

search_host=$(sed -n 's/^TUNELARK_SEARCH_HOST:STRING=//p' "$build/CMakeCache.txt")
tl_namespace_start "$env_dir" "$search_host"

# A fresh Wine prefix for every run.
rm -rf "$env_dir/session"
cleanup() {
  if [ -f "$root/scripts/song-service.sh" ]; then bash "$root/scripts/song-service.sh" stop "$env_dir/songs" || true; fi
  tl_session_stop "$env_dir/session"
}
trap cleanup EXIT
tl_session_start "$env_dir/session"
export TL_TEST_ENV="$env_dir" TL_SEARCH_HOST="$search_host"
if [ -f "$root/scripts/song-service.sh" ]; then
  bash "$root/scripts/song-service.sh" start "$env_dir/songs" "$search_host"
fi

if [ "$mode" = test ]; then
  ctest --test-dir "$build" --output-on-failure "$@"
  exit $?
fi

# Benchmarks: a wrapper script tests/**/<name>.sh when there is one, else the executable.
status=0
for exe in "$build"/bin/*_bench.exe; do
  [ -e "$exe" ] || continue
  name=$(basename "$exe" .exe)
  [[ -z "${1:-}" || "$name" == *"$1"* ]] || continue
  echo "== $name"
  wrapper=$(find "$root/tests" -name "$name.sh" | head -n 1)
  if [ -n "$wrapper" ]; then
    bash "$wrapper" "$build" || status=1
  else
    wine "$exe" || status=1
  fi
done
exit $status
