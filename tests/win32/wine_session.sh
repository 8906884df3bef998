#!/bin/bash
# The Windows tests' session under 64-bit Wine: one prefix, one wineserver and one virtual screen
# for the whole run of a build's tests.
#   wine_session.sh start DIR       makes the prefix in DIR once, starts Xvfb and the server
#   wine_session.sh run DIR PROGRAM [ARGS...]   runs a Windows program in that session; the lines
#                                   of checks it skips go to DIR/skipped-checks.txt
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
    # Windows links a CJK font to its UI fonts by itself; a fresh Wine prefix does not, and
    # Chinese text would show as boxes. Wine's own Chinese faces stand for Noto Sans CJK here.
    for face in 'Microsoft YaHei' SimSun NSimSun 'MS Song' 'Microsoft JhengHei' MingLiU PMingLiU \
                'MS UI Gothic'; do
      DISPLAY= "$wine64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ \
        /d 'Noto Sans CJK SC' /f >>"$dir/wine.log" 2>&1
    done
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
  # A check the machine cannot make says so in one line, which also goes to the log that ctest
  # prints after the run.
  # The output goes through a file, not a pipe: the desktop process that a tray icon starts
  # inherits the program's handles and lives on for a minute, and a pipe would wait for it.
  set +e
  output=$(mktemp "$dir/output.XXXXXX")
  DISPLAY=$(cat "$dir/display" 2>/dev/null || true) "$wine64" "$@" >"$output" 2>&1
  status=$?
  cat "$output"
  grep -a 'SKIPPED on this machine' "$output" | tr -d '\r' >>"$dir/skipped-checks.txt"
  rm -f "$output"
  exit $status
  ;;
stop)
  wineserver --kill 2>/dev/null || true
  if [[ -e $dir/xvfb.pid ]]; then kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true; fi
  rm -f "$dir/xvfb.pid" "$dir/display"
  ;;
esac
