#!/usr/bin/env bash
# Configures (once) and builds tunelark.exe and the tests into <build dir> (default: build).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
fi
cmake --build "$build" -j"$(nproc)" -- --no-print-directory | grep -v -E '^\[ *[0-9]+%\]' || true
test "${PIPESTATUS[0]}" -eq 0
test -f "$build/bin/tunelark.exe"
