#!/usr/bin/env bash
# Removes what an install of Lorefinder made, as its install manifest lists it: the files, then
# the folders that the install created (the lines ending in a slash, deepest first) where
# nothing else has been put into them since.
set -euo pipefail

manifest=${1:?usage: uninstall.sh INSTALL_MANIFEST}
if [ ! -f "$manifest" ]; then
  echo "nothing to uninstall: $manifest does not exist (make install writes it)" >&2
  exit 1
fi

mapfile -t paths <"$manifest"
for path in "${paths[@]}"; do
  [[ -n $path && $path != */ ]] || continue
  rm -f -- "$path"
  echo "removed $path"
done
for path in "${paths[@]}"; do
  [[ $path == */ ]] || continue
  if rmdir -- "$path" 2>/dev/null; then
    echo "removed $path"
  elif [ -d "$path" ]; then
    echo "kept $path: it holds files that were not installed with Lorefinder"
  fi
done
rm -f -- "$manifest"
