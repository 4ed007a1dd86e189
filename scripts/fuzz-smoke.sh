#!/usr/bin/env bash
# Runs every libFuzzer target briefly on its seed corpus, so the targets cannot rot.
# Usage: fuzz-smoke.sh BUILD_DIR [RUNS]
set -euo pipefail
build=$1
runs=${2:-3000}
root=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for corpus in "$root"/fuzz/corpus/*/; do
  target=$(basename "$corpus")
  mkdir -p "$scratch/$target"
  echo "== $target: $runs runs"
  "$build/fuzz/$target" -runs="$runs" -seed=1 -timeout=10 -artifact_prefix="$scratch/$target-" \
    "$scratch/$target" "$corpus" > "$scratch/$target.log" 2>&1 || {
    tail -40 "$scratch/$target.log"
    echo "fuzz smoke run of $target failed"
    exit 1
  }
  grep -E "^Done" "$scratch/$target.log" || true
done
