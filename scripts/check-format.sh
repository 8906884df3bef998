#!/usr/bin/env bash
# Checks that every tracked C++ file reads as clang-format writes it (the rules are in
# .clang-format at the root); fails naming the lines it would change. With --fix, it rewrites
# those files instead.
# Usage: scripts/check-format.sh [--fix]
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
if [ "${1:-}" = --fix ]; then
  clang-format -i -- "${files[@]}"
else
  clang-format --dry-run --Werror -- "${files[@]}"
fi
