#!/usr/bin/env bash
# The page's scripts type-check (JSDoc types, tsc --checkJs, strict). tsc comes from the npm
# registry into web/node_modules; without it the check is skipped with one line (failed in CI).
set -euo pipefail
tsc=$LF_SOURCE_DIR/web/node_modules/.bin/tsc
if [ ! -x "$tsc" ]; then
  line="SKIPPED on this machine: the page scripts' types: tsc is missing (npm ci in web/, which scripts/install-deps.sh runs where npm is installed)"
  case "${CI:-}" in "" | 0 | false) ;; *) echo "FAILED: ${line#*: }"; exit 1 ;; esac
  echo "$line"
  { flock 9; grep -qxF "$line" "$LF_SKIPPED_CHECKS_LOG" 2>/dev/null || echo "$line" >&9; } 9>>"$LF_SKIPPED_CHECKS_LOG"
  exit 77
fi
"$tsc" -p "$LF_SOURCE_DIR/web/tsconfig.json"
