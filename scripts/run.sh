#!/usr/bin/env bash
# Builds Tunelark and runs it under Wine against the embedded song service (a local nginx
# that answers searches from a small catalogue and serves real MP3s), in a private
# loopback-only network namespace.
#   With a display ($DISPLAY reachable): the window opens; search and download as you like.
#   Without one: a virtual display is used, a short demo searches "abc", double-clicks the
#   first hit, and a screenshot is saved; its path is printed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TL_BUILD_DIR:-$root/build}"
bash "$root/scripts/install-deps.sh"
source "$root/scripts/wine-arch.sh"
tl_build_for_machine "$build"
exec unshare -m -n bash "$root/scripts/run-inner.sh" "$build"
