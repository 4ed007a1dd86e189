#!/usr/bin/env bash
# The main job: runs example sessions of the command in the reference host and shows what
# happened. Usage: scripts/demo.sh BUILD_DIR
set -euo pipefail
build=${1:-build/dev}
out=$build/demo
mkdir -p "$out"
session=examples/custom-a3-landscape.qsession
"$build/quadrift" run "$session" --json "$out/state.json"
echo "The session's final state is in $out/state.json"

# Placing the sheet with the mouse, with pictures of the host's view while placing and after.
"$build/quadrift" run examples/placement.qsession --svg "$out/placement.svg" \
  --png "$out/placement.png"
echo "Pictures of the placement are in $out (placement-placing.png while placing, placement.png after)"
