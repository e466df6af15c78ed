#!/usr/bin/env bash
# The icon a user sees in the taskbar: the main window's 48 x 48 icon as the X server
# holds it (_NET_WM_ICON). Runs inside the Wine session of scripts/test.sh.
set -u
exe="$1"
dir=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null; rm -rf "$dir"' EXIT
cp "$exe" "$dir/tunelark.exe"
wine "$dir/tunelark.exe" >/dev/null 2>&1 &
pid=$!
win=""
# Up to 30 s: the first program of a fresh prefix can take over 10 s to show its window.
for _ in $(seq 1 300); do
  win=$(xdotool search --name '^Tunelark$' 2>/dev/null | head -n 1)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "window not found"; exit 1; }
props=""
for _ in $(seq 1 50); do  # the icon property may arrive just after the window is mapped
  props=$(xprop -id "$win" _NET_WM_ICON 2>/dev/null)
  echo "$props" | grep -q 'Icon (48 x 48)' && break
  sleep 0.1
done
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
if echo "$props" | grep -q 'Icon (48 x 48)'; then
  echo "1 passed, 0 failed"
  exit 0
fi
echo "no 48 x 48 icon on the window: $props" | head -n 3
echo "0 passed, 1 failed"
exit 1
