#!/usr/bin/env bash
# Runs a Windows test program under wine64 in a prefix of its own, on a virtual display for the
# windows it opens.  Usage: wine_test.sh PREFIX PROGRAM [ARGUMENTS...]
set -euo pipefail
# Wine rewrites its font links whenever the locale changes: one locale for every run.
export WINEPREFIX=$1 WINEDEBUG=-all LANG=C.UTF-8
unset LC_ALL
shift
wine64=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine64" wineboot -i >/dev/null 2>&1
  "$wineserver" -w
  # Windows links a CJK font to its interface font by itself; Wine must be told.
  "$wine64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v Tahoma /t REG_MULTI_SZ /d 'NotoSansCJK-Regular.ttc,Noto Sans CJK SC' /f >/dev/null
  "$wineserver" -w
fi
exec xvfb-run -a "$wine64" "$@"
