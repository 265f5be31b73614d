#!/usr/bin/env bash
# The host's gzip judges the backups that test_backup wrote: each NAME.LXB must pass `gzip -t` and
# `gunzip -c` must give back NAME.src byte for byte.
set -euo pipefail
dir=$1
shopt -s nullglob
files=("$dir"/*.LXB)
if [ ${#files[@]} -eq 0 ]; then
  echo "no backups in $dir: test_backup did not write them" >&2
  exit 1
fi
fail=0
for f in "${files[@]}"; do
  src=${f%.LXB}.src
  if ! gzip -t "$f"; then
    echo "FAIL gzip -t: $f" >&2
    fail=1
  elif ! gunzip -c "$f" | cmp -s - "$src"; then
    echo "FAIL gunzip -c differs from $src" >&2
    fail=1
  else
    echo "ok $(basename "$f")"
  fi
done
exit $fail
