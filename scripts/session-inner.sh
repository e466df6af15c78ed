#!/usr/bin/env bash
# The part of scripts/test.sh that runs inside `unshare -m -n`. Arguments: <build dir> [ctest args].
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build=$1; shift
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

ctest --test-dir "$build" --output-on-failure "$@"
