#!/usr/bin/env bash
# Runs every benchmark program of a build and ends with one Markdown table of all rows.
set -euo pipefail
build=${1:-build/release}
rows=$(mktemp)
trap 'rm -f "$rows"' EXIT
for program in "$build"/bench/bench_*; do
  [ -x "$program" ] || continue
  echo "== $(basename "$program")"
  QT_QPA_PLATFORM=offscreen "$program" --benchmark_min_time=0.5 --benchmark_color=false | sed "s/\x1b\[[0-9;]*m//g" | tee -a "$rows"
done
echo
echo "| benchmark | ours | baseline | ratio | goal |"
echo "|---|---|---|---|---|"
sed -n 's/^ROW| /| /p' "$rows"
echo
sed -n 's/^NOTE| /- /p' "$rows"
