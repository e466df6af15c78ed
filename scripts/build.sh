#!/usr/bin/env bash
# Configures (once) and builds tunelark.exe and the tests into <build dir> (default: build).
# TL_BUILD_TARGETS (space-separated) limits the build to those targets.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  mkdir -p "$build"
  if ! cmake -S "$root" -B "$build" -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      >"$build/configure.log" 2>&1; then
    cat "$build/configure.log"
    rm -f "$build/CMakeCache.txt"
    exit 1
  fi
fi
targets=()
for t in ${TL_BUILD_TARGETS:-}; do targets+=(--target "$t"); done
log="$build/build.log"
if ! cmake --build "$build" -j"$(nproc)" "${targets[@]}" -- --no-print-directory >"$log" 2>&1; then
  grep -E -A5 'error|Error' "$log" | head -n 60
  echo "build failed (full log: $log)"
  exit 1
fi
grep -E 'warning' "$log" | head -n 20 || true
[ -n "${TL_BUILD_TARGETS:-}" ] || test -f "$build/bin/tunelark.exe"
