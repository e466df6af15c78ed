#!/usr/bin/env bash
# Runs app_bench.exe and curl against the embedded song service in the same run and prints
# the figures with their ratios. Argument: <build dir>. Needs the session of scripts/bench.sh.
set -euo pipefail
build=$1
out=$(wine "$build/bin/app_bench.exe")
val() { echo "$out" | sed -n "s/^$1 //p"; }
# curl does the same job: fetch the file and write it to disk.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
curl -s -o "$tmp/warm.mp3" http://cdn.test/files/big64.mp3
curl_s=$(curl -s -o "$tmp/big64.mp3" -w '%{time_total}' http://cdn.test/files/big64.mp3)
curl_ms=$(python3 -c "print(round($curl_s*1000,1))")
python3 - "$(val startup_ms)" "$(val minimal_startup_ms)" "$(val search_100_hits_ms)" "$(val download_64MiB_ms)" "$curl_ms" \
    "$(val first_frame_ms)" "$(val minimal_picture_first_frame_ms)" "$(val peak_after_search_kib)" \
    "$(val minimal_picture_peak_kib)" "$(val peak_after_start_kib)" <<'PY'
import sys
start, floor, search, dl, curl, frame, frame_floor, peak, peak_floor, peak_start = map(float, sys.argv[1:])
mib = 64.0
print("start-up to window shown:   tunelark %7.1f ms   minimal window %7.1f ms   ratio %.2fx (target <= 1.3x)" % (start, floor, start / floor))
print("start-up to first skinned frame: tunelark %7.1f ms   minimal GDI+ picture %7.1f ms   ratio %.2fx (target <= 1.2x)"
      % (frame, frame_floor, frame / frame_floor))
print("peak working set:           tunelark after a 100-hit search %7.0f KiB   minimal GDI+ picture and one HTTPS GET %7.0f KiB   ratio %.2fx (target <= 1.15x)"
      % (peak, peak_floor, peak / peak_floor))
print("peak working set:           tunelark after its start         %7.0f KiB   ratio %.2fx of the minimal GDI+ picture" % (peak_start, peak_start / peak_floor))
print("search click to 100 rows:   %7.1f ms" % search)
print("64 MiB download:            tunelark %7.1f ms (%.0f MB/s)   curl %7.1f ms (%.0f MB/s)   ratio %.2fx of curl (target >= 0.3x)"
      % (dl, mib * 1.048576 / (dl / 1000), curl, mib * 1.048576 / (curl / 1000), curl / dl))
PY
