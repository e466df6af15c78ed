#!/usr/bin/env bash
# Runs every test of Tunelark on Debian 12: installs what is missing, builds the program and
# the tests, then runs CTest inside a private network namespace (loopback only) with its own
# Xvfb display, a fresh Wine prefix and a persistent wineserver, all stopped at the end.
# Extra arguments go to ctest (for example: -R main_window). The include graph between the
# code's folders is checked first (scripts/check-layers.sh: no cycle, no arrow pointing up).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TL_BUILD_DIR:-$root/build}"

bash "$root/scripts/check-layers.sh"

bash "$root/scripts/install-deps.sh"
source "$root/scripts/wine-arch.sh"
tl_build_for_machine "$build"
exec unshare -m -n bash "$root/scripts/session-inner.sh" test "$build" "$@"
