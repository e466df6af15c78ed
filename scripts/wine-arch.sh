#!/usr/bin/env bash
# Which Windows architecture the tests are built for and run as on this machine.
#
#   source scripts/wine-arch.sh; arch=$(tl_test_arch)
#
# i686 is the product's own (a 32-bit program in a win32 prefix). Some machines cannot run
# 32-bit x86 code at all (virtual machines whose kernel has no 32-bit compatibility mode:
# every 32-bit Linux program, Wine's 32-bit loader among them, fails with "Exec format
# error", and Wine's WoW64 mode cannot enter 32-bit code either). There the same sources
# are built as 64-bit programs and run in a win64 prefix; the 32-bit product is still built.
# TL_ARCH=i686|x86_64 overrides the choice.

tl_test_arch() {
  if [ -n "${TL_ARCH:-}" ]; then
    echo "$TL_ARCH"
  elif /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo i686
  else
    echo x86_64
  fi
}

# Builds into <build dir> for this machine's test architecture (exported as TL_ARCH); on a
# machine that runs the tests as 64-bit programs, the 32-bit product is built beside them
# in <build dir>/product-i686, so it keeps compiling.
tl_build_for_machine() {
  local root build=$1
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  TL_ARCH=$(tl_test_arch)
  export TL_ARCH
  if [ "$TL_ARCH" != i686 ]; then
    echo "this machine cannot run 32-bit code: tests and runs use $TL_ARCH programs in a win64 prefix"
    TL_ARCH=i686 TL_BUILD_TARGETS=tunelark bash "$root/scripts/build.sh" "$build/product-i686"
  fi
  bash "$root/scripts/build.sh" "$build"
}
