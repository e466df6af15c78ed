#!/usr/bin/env bash
# Configures (once) and builds tunelark.exe and the tests into <build dir> (default: build).
# TL_BUILD_TARGETS (space-separated) limits the build to those targets.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
fi
targets=()
for t in ${TL_BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build" -j"$(nproc)" "${targets[@]}" -- --no-print-directory | grep -v -E '^\[ *[0-9]+%\]' || true
test "${PIPESTATUS[0]}" -eq 0
[ -n "${TL_BUILD_TARGETS:-}" ] || test -f "$build/bin/tunelark.exe"
