#!/bin/bash
# The Windows tests' session under 64-bit Wine: one prefix, one wineserver and one virtual screen
# for the whole run of a build's tests.
#   wine_session.sh start DIR       makes the prefix in DIR once, starts Xvfb and the server
#   wine_session.sh run DIR PROGRAM [ARGS...]   runs a Windows program in that session
#   wine_session.sh stop DIR        stops the server and the screen
set -euo pipefail
command=$1 dir=$2
shift 2
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
# A crash ends the program at once instead of waiting in Wine's debugger.
export WINEPREFIX=$dir/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=;winedbg.exe=d'

case $command in
start)
  mkdir -p "$dir"
  if [[ ! -e $dir/ready ]]; then
    rm -rf "$WINEPREFIX"
    DISPLAY= "$wine64" wineboot --init >>"$dir/wine.log" 2>&1
    # Windows links a CJK font to its UI font by itself; a fresh Wine prefix does not, and
    # Chinese captions would show as boxes.
    DISPLAY= "$wine64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v Tahoma /t REG_MULTI_SZ /d 'NotoSansCJK-Regular.ttc,Noto Sans CJK SC' /f >>"$dir/wine.log" 2>&1
    wineserver --wait
    touch "$dir/ready"
  fi
  # A screen of our own, whichever display numbers are taken.
  exec {displayfd}<> <(:)
  setsid Xvfb -displayfd "$displayfd" -screen 0 1280x1024x24 -nolisten tcp >>"$dir/xvfb.log" 2>&1 &
  echo $! >"$dir/xvfb.pid"
  read -r -t 30 -u "$displayfd" display
  echo ":$display" >"$dir/display"
  DISPLAY=:$display wineserver --persistent=60 >>"$dir/wine.log" 2>&1
  ;;
run)
  DISPLAY=$(cat "$dir/display" 2>/dev/null || true) exec "$wine64" "$@"
  ;;
stop)
  wineserver --kill 2>/dev/null || true
  if [[ -e $dir/xvfb.pid ]]; then kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true; fi
  rm -f "$dir/xvfb.pid" "$dir/display"
  ;;
esac
