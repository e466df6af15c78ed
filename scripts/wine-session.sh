#!/usr/bin/env bash
# A private Wine session for tests and the run command: its own Xvfb display, its own
# Wine prefix (code page 936, CJK font replacements) and a persistent wineserver.
#
#   source scripts/wine-session.sh
#   tl_session_start <dir>     # exports DISPLAY, WINEPREFIX, LANG, ... ; records PIDs in <dir>
#   tl_session_stop  <dir>     # stops exactly the processes it started, by PID
#
# The prefix is cached: a prefix that is already set up is reused (a new one takes ~15 s).

TL_SCRIPTS="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

tl_wine_env() {
  local dir=$1
  export WINEPREFIX="$dir/wineprefix"
  # The programs' architecture (scripts/wine-arch.sh): a win32 prefix and Wine's 32-bit
  # loader for i686, a win64 prefix and the 64-bit loader for x86_64. A `wine` in the
  # session's own bin folder runs the right loader, for the scripts and for CTest.
  mkdir -p "$dir/bin"
  if [ "${TL_ARCH:-i686}" = x86_64 ]; then
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' > "$dir/bin/wine"
  else
    export WINEARCH=win32
    printf '#!/bin/sh\nexec /usr/bin/wine "$@"\n' > "$dir/bin/wine"
  fi
  chmod +x "$dir/bin/wine"
  case ":$PATH:" in *":$dir/bin:"*) ;; *) export PATH="$dir/bin:$PATH" ;; esac
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="
  export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
}

tl_free_display() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  echo $n
}

tl_prefix_init() {
  # One-time set-up of a fresh prefix.
  if [ -f "$WINEPREFIX/.tunelark-ready" ]; then return 0; fi
  rm -rf "$WINEPREFIX"
  wine wineboot -i >/dev/null 2>&1 || true
  cat > "$WINEPREFIX/drive_c/tunelark-utf8.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"SimSun"="WenQuanYi Zen Hei"
"NSimSun"="WenQuanYi Zen Hei"
"宋体"="WenQuanYi Zen Hei"
"新宋体"="WenQuanYi Zen Hei"
"Microsoft YaHei"="WenQuanYi Zen Hei"
"微软雅黑"="WenQuanYi Zen Hei"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
"Decorated"="Y"
REG
  # regedit reads the file in the prefix's ANSI code page (936): convert the font names.
  iconv -f UTF-8 -t GBK "$WINEPREFIX/drive_c/tunelark-utf8.reg" > "$WINEPREFIX/drive_c/tunelark.reg"
  wine regedit /S 'C:\tunelark.reg' >/dev/null 2>&1
  rm -f "$WINEPREFIX/drive_c/tunelark-utf8.reg" "$WINEPREFIX/drive_c/tunelark.reg"
  wineserver -w
  touch "$WINEPREFIX/.tunelark-ready"
}

tl_session_start() {
  local dir=$1
  mkdir -p "$dir"
  tl_wine_env "$dir"
  local disp
  disp=$(tl_free_display)
  Xvfb ":$disp" -screen 0 1280x1024x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
  echo $! > "$dir/xvfb.pid"
  export DISPLAY=":$disp"
  for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$disp" ] && break; sleep 0.05; done
  tl_prefix_init
  wineserver -p >/dev/null 2>&1 &
  echo $! > "$dir/wineserver.pid"
  # Load the core DLLs once so the first test does not pay for it.
  wine cmd /c exit >/dev/null 2>&1 || true
  {
    echo "export DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX WINEARCH=$WINEARCH WINEDEBUG=$WINEDEBUG"
    echo "export PATH=$dir/bin:\$PATH TL_ARCH=${TL_ARCH:-i686}${WINELOADER:+ WINELOADER=$WINELOADER}"
    echo "export WINEDLLOVERRIDES='$WINEDLLOVERRIDES' LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8"
  } > "$dir/env.sh"
}

tl_session_stop() {
  local dir=$1
  tl_wine_env "$dir"
  # Ends every Wine process of this prefix, then the persistent server itself.
  wineserver -k >/dev/null 2>&1 || true
  for f in wineserver xvfb; do
    if [ -f "$dir/$f.pid" ]; then
      local pid
      pid=$(cat "$dir/$f.pid")
      kill "$pid" 2>/dev/null || true
      for _ in $(seq 1 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
      kill -9 "$pid" 2>/dev/null || true
      rm -f "$dir/$f.pid"
    fi
  done
}
