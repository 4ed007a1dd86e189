#!/usr/bin/env bash
# Starts quadrift-desktop.exe under Wine on this machine's display, in a Wine prefix of its own.
# Usage: windows/desktop/run-under-wine.sh BUILD_DIR (build/win64 or build/win32)
set -euo pipefail
build=${1:-build/win64}
if [ -z "${DISPLAY:-}" ]; then
  echo "quadrift-desktop needs a display: DISPLAY is not set; start it from a desktop session" >&2
  exit 1
fi
bits=64
case "$build" in *win32*) bits=32 ;; esac
root=$(cd "$(dirname "$0")/../.." && pwd)
exec "$root/scripts/wine-run.sh" "$root/build/wine-prefix-gui" "$bits" "$build/quadrift-desktop.exe"
