#!/usr/bin/env bash
# Runs the benchmarks (every bin/*_bench.exe, through its tests/**/<name>.sh wrapper when it
# has one) in the same private session as the tests, and prints their figures: each one
# next to a baseline measured in the same run. Optional argument: a name filter.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TL_BUILD_DIR:-$root/build}"
bash "$root/scripts/install-deps.sh"
source "$root/scripts/wine-arch.sh"
tl_build_for_machine "$build"
exec unshare -m -n bash "$root/scripts/session-inner.sh" bench "$build" "$@"
