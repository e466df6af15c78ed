#!/usr/bin/env bash
# The part of scripts/run.sh that runs inside `unshare -m -n`. Argument: <build dir>.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build=$1
env_dir="$build/run"
source "$root/scripts/test-namespace.sh"
source "$root/scripts/wine-session.sh"

search_host=$(sed -n 's/^TUNELARK_SEARCH_HOST:STRING=//p' "$build/CMakeCache.txt")
tl_namespace_start "$env_dir" "$search_host"

headless=1
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then headless=0; fi

cleanup() {
  bash "$root/scripts/song-service.sh" stop "$env_dir/songs" || true
  if [ "$headless" = 1 ]; then tl_session_stop "$env_dir/session"; else tl_wine_env "$env_dir/session"; wineserver -k 2>/dev/null || true; fi
}
trap cleanup EXIT
bash "$root/scripts/song-service.sh" start "$env_dir/songs" "$search_host"

if [ "$headless" = 1 ]; then
  tl_session_start "$env_dir/session"
else
  tl_wine_env "$env_dir/session"
  mkdir -p "$env_dir/session"
  tl_prefix_init
fi

app="$env_dir/app"
mkdir -p "$app"
cp "$build/bin/tunelark.exe" "$app/tunelark.exe"
cd "$app"
wine tunelark.exe >/dev/null 2>&1 &
pid=$!

if [ "$headless" = 0 ]; then
  echo "Tunelark is running (search for 周杰伦, abc, 告白 or 百首). Downloads go to $app/酷狗下载库"
  wait "$pid" || true
  exit 0
fi

win=""
for _ in $(seq 1 100); do
  win=$(xdotool search --name '^Tunelark$' 2>/dev/null | head -n 1) && [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "the window did not appear"; exit 1; }
sleep 0.5
# Window layout: keyword box at (9,34) 136x32, "查询" at (192,34) 112x32, list at (8,74).
xdotool mousemove --window "$win" 70 50 click 1
xdotool type --delay 50 "abc"
xdotool mousemove --window "$win" 248 50 click 1
sleep 2
xdotool mousemove --window "$win" 60 106 click --repeat 2 --delay 80 1
for _ in $(seq 1 50); do
  ls "$app/酷狗下载库/"*.mp3 >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 1
shot="$build/screenshots/run.png"
mkdir -p "$build/screenshots"
import -display "$DISPLAY" -window "$win" "$shot"
# The README shows this picture.
mkdir -p "$root/docs" && cp "$shot" "$root/docs/tunelark.png"
echo "Downloaded:"
ls -l "$app/酷狗下载库" | tail -n +2
echo "Screenshot: $shot"
kill "$pid" 2>/dev/null || true
