#!/usr/bin/env bash
# Runs every benchmark program of a build, the Windows ones of a Windows build under Wine and the
# web catalogue's in headless Chromium, and ends with one Markdown table of all rows.
# Usage: scripts/run-benchmarks.sh [BUILD] [WINDOWS_BUILD] [WEB_SITE]
set -euo pipefail
build=${1:-build/release}
windows=${2:-build/windows-x64}
web_site=${3:-build/web/site}
rows=$(mktemp)
trap 'rm -f "$rows"' EXIT
for program in "$build"/bench/bench_*; do
  [ -x "$program" ] || continue
  echo "== $(basename "$program")"
  QT_QPA_PLATFORM=offscreen "$program" --benchmark_min_time=0.5 --benchmark_color=false | sed "s/\x1b\[[0-9;]*m//g" | tee -a "$rows"
done
# In the Wine session the Windows tests use: one prefix, server and virtual screen.
windows_bench=$windows/bench/win32/bench_windows_startup.exe
if [ -e "$windows_bench" ]; then
  echo "== $(basename "$windows_bench")"
  session=$(dirname "$0")/../tests/win32/wine_session.sh
  wine_dir=$(realpath "$windows")/wine
  trap 'bash "$session" stop "$wine_dir"; rm -f "$rows"' EXIT
  bash "$session" start "$wine_dir"
  bash "$session" run "$wine_dir" "$windows_bench" | tr -d '\r' | tee -a "$rows"
else
  echo "SKIPPED on this machine: the Windows start-up under Wine: no Windows build in $windows"
fi
# The web catalogue, in Debian's python3 with python3-selenium.
if [ -e "$web_site/index.html" ]; then
  echo "== bench_web.py"
  if ! /usr/bin/python3 "$(dirname "$0")/../bench/web/bench_web.py" "$web_site" "$build/bin/lftool" |
    tee -a "$rows"; then
    echo "SKIPPED on this machine: the web catalogue's benchmarks: headless Chromium did not run them"
  fi
else
  echo "SKIPPED on this machine: the web catalogue's benchmarks: no site in $web_site (make web)"
fi
echo
echo "| benchmark | ours | baseline | ratio | goal |"
echo "|---|---|---|---|---|"
sed -n 's/^ROW| /| /p' "$rows"
echo
sed -n 's/^NOTE| /- /p' "$rows"
