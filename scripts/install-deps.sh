#!/usr/bin/env bash
# Installs everything Tunelark needs to build and test on Debian 12.
# Idempotent: when every package and the locale are present it returns at once.
set -euo pipefail

PKGS=(wine wine32:i386 wine64 g++-mingw-w64-i686 mingw-w64-i686-dev g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
      xvfb xdotool imagemagick locales
      fonts-wqy-zenhei cmake make googletest nginx-light sox lame libsox-fmt-mp3 openssl curl iproute2
      python3 x11-utils)

missing=()
have_i386=0
dpkg --print-foreign-architectures | grep -qx i386 && have_i386=1
for p in "${PKGS[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "$have_i386" = 0 ] || [ "${#missing[@]}" -gt 0 ]; then
  echo "install-deps: installing ${missing[*]:-(i386 architecture)}"
  if [ "$have_i386" = 0 ]; then dpkg --add-architecture i386; fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  echo "install-deps: generating zh_CN.UTF-8"
  sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
