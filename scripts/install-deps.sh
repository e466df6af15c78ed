#!/usr/bin/env bash
# Installs everything Tunelark needs to build and test on Debian 12.
# Idempotent: when every package and the locale are present it returns at once.
set -euo pipefail

PKGS=(wine wine32:i386 wine64 g++-mingw-w64-i686 mingw-w64-i686-dev g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
      xvfb xdotool imagemagick locales
      fonts-wqy-zenhei fonts-dejavu-core cmake make googletest nginx-light sox lame libsox-fmt-mp3 openssl curl iproute2
      python3 x11-utils)

# apt-get update fails as a whole when one index is mid-sync on the mirror ("File has
# unexpected size ... Mirror sync in progress?"). Try a few times, then go on with the lists
# that did arrive and say which failed.
refresh_package_lists() {
  local try log
  log=$(mktemp)
  for try in 1 2 3; do
    if apt-get update -qq >"$log" 2>&1 && ! grep -q '^E: ' "$log"; then rm -f "$log"; return 0; fi
    echo "install-deps: apt-get update failed (try $try of 3)" >&2
    sleep $((try * 5))
  done
  echo "install-deps: going on with the package lists that did download; these failed:" >&2
  grep -E '^(E|W): ' "$log" | sed 's/^/  /' >&2 || true
  rm -f "$log"
}

# The 32-bit Wine is of no use where the kernel cannot run 32-bit x86 code at all (the
# tests then use 64-bit builds, scripts/wine-arch.sh): a 32-bit loader that is present but
# fails with "Exec format error" says so.
if [ -e /lib/ld-linux.so.2 ] && ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  PKGS=("${PKGS[@]/wine32:i386}")
fi

missing=()
have_i386=0
dpkg --print-foreign-architectures | grep -qx i386 && have_i386=1
for p in "${PKGS[@]}"; do
  [ -n "$p" ] || continue
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "$have_i386" = 0 ] || [ "${#missing[@]}" -gt 0 ]; then
  echo "install-deps: installing ${missing[*]:-(i386 architecture)}"
  if [ "$have_i386" = 0 ]; then dpkg --add-architecture i386; fi
  export DEBIAN_FRONTEND=noninteractive
  refresh_package_lists
  if ! apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
    # Most often the i386 index was the one that failed: the 32-bit Wine cannot come, but
    # everything else can, and the scripts test 64-bit builds where 32-bit Wine is missing.
    rest=()
    for p in "${missing[@]}"; do [ "$p" = wine32:i386 ] || rest+=("$p"); done
    echo "install-deps: the full set did not install; trying without wine32:i386" >&2
    apt-get install -y -qq --no-install-recommends "${rest[@]}" >/dev/null
    echo "install-deps: 32-bit Wine is not installed: tests and runs fall back to the" \
         "64-bit build in a win64 prefix (scripts/wine-arch.sh); the 32-bit product is still built" >&2
  fi
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  echo "install-deps: generating zh_CN.UTF-8"
  sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
