#!/usr/bin/env bash
# The main job: runs an example session of the command in the reference host and shows what
# happened. Usage: scripts/demo.sh BUILD_DIR
set -euo pipefail
build=${1:-build/dev}
out=$build/demo
mkdir -p "$out"
session=examples/custom-a3-landscape.qsession
"$build/quadrift" run "$session" --json "$out/state.json"
echo "The session's final state is in $out/state.json"
