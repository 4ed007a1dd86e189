#!/usr/bin/env bash
# Runs a command on a virtual X display of its own; without xvfb-run the test is skipped (77).
# Usage: under-xvfb.sh COMMAND [ARGS...]
set -euo pipefail
if ! command -v xvfb-run > /dev/null; then
  echo "xvfb-run is not installed (scripts/install-windows-deps.sh): skipped" >&2
  exit 77
fi
exec xvfb-run -a -s "-screen 0 1024x768x24" "$@"
