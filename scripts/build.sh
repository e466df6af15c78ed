#!/usr/bin/env bash
# Configures (once) and builds tunelark.exe and the tests into <build dir> (default: build).
# TL_BUILD_TARGETS (space-separated) limits the build to those targets. TL_ARCH=x86_64 builds
# 64-bit programs (for machines that cannot run 32-bit code, see scripts/wine-arch.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
arch="${TL_ARCH:-i686}"
toolchain="$root/cmake/mingw-$arch.cmake"
# A folder configured for the other architecture starts again.
if [ -f "$build/CMakeCache.txt" ] && ! grep -q "CMAKE_TOOLCHAIN_FILE:.*=$toolchain\$" "$build/CMakeCache.txt"; then
  rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
  mkdir -p "$build"
  if ! cmake -S "$root" -B "$build" -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
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
