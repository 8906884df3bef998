#!/usr/bin/env bash
# Builds the fuzz targets with clang in build/fuzz and runs each in turn for SECONDS seconds on a
# working copy of its seed corpus (the committed seeds stay as they are). Inputs that crash,
# hang or exhaust memory are kept in fuzz/out/<target>/; the last line per target is the
# campaign's record: executions, coverage (cov: edges, ft: features) and corpus size.
# Usage: fuzz/run.sh SECONDS [TARGET...]
set -euo pipefail

seconds=${1:?usage: fuzz/run.sh SECONDS [TARGET...]}
shift
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/fuzz

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++-16 -DLOREFINDER_FUZZ=ON >/dev/null
cmake --build "$build" -j2

# Readable stack traces where the LLVM tools are installed.
symbolizer=/usr/lib/llvm-16/bin/llvm-symbolizer
[ -x "$symbolizer" ] && export ASAN_SYMBOLIZER_PATH=$symbolizer

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_item_table fuzz_table_csv fuzz_card fuzz_description fuzz_resource_tree
           fuzz_pe_reader fuzz_pe_writer fuzz_elf_reader fuzz_elf_writer fuzz_jpeg_frame_size)
fi

failed=()
summary=()
for target in "${targets[@]}"; do
  work=$build/corpus/$target
  out=$root/fuzz/out/$target
  mkdir -p "$work" "$out"
  cp "$root/fuzz/corpus/$target"/* "$work"/
  before=$(find "$out" -maxdepth 1 -type f ! -name '*.log' | wc -l)
  # One job, one worker: the machine's cores are shared. Ten seconds on one input is a hang.
  (cd "$out" && "$build/fuzz/$target" "$work" -max_total_time="$seconds" -jobs=1 -workers=1 \
     -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$out/" -print_final_stats=1 \
     >/dev/null 2>&1) || true
  mv -f "$out/fuzz-0.log" "$out/last-run.log"
  stats=$(grep -E '^#[0-9]+[[:space:]].*cov: ' "$out/last-run.log" | tail -1 || true)
  execs=$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$out/last-run.log" | grep -Eo '[0-9]+$' || true)
  coverage=$(grep -Eo 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+/[0-9a-zA-Z]+' <<<"$stats" || true)
  summary+=("$target: execs ${execs:-?} ${coverage:-(no stats)} in ${seconds}s")
  after=$(find "$out" -maxdepth 1 -type f ! -name '*.log' | wc -l)
  if [ "$after" -gt "$before" ]; then failed+=("$target"); fi
done

printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -ne 0 ]; then
  echo "findings in: ${failed[*]} (see fuzz/out/<target>/last-run.log)" >&2
  exit 1
fi
