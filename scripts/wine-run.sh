#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix, which is made on first use (once,
# even when several tests start together). BITS is 32 or 64. A 32-bit program on a machine
# that cannot execute 32-bit code exits with 77, which the tests count as skipped.
# Usage: wine-run.sh [--x] PREFIX BITS PROGRAM [ARGS...]
# With --x the program runs on a display of its own (Xvfb, 1024x768), and the prefix's server is
# waited for afterwards, so that the next run starts a server on its own display.
# QUADRIFT_DPI (96 when unset) is the screen's dots per inch, the prefix's LogPixels: written
# into the prefix before the program runs when the prefix has another.
set -euo pipefail
if [ "${1:-}" = --x ]; then
  shift
  if [ "$2" = 32 ] && ! /usr/lib/wine/wine --version > /dev/null 2>&1; then
    echo "This machine cannot execute 32-bit programs: skipped" >&2
    exit 77
  fi
  if ! command -v xvfb-run > /dev/null; then
    echo "xvfb-run is not installed (scripts/install-windows-deps.sh): skipped" >&2
    exit 77
  fi
  # No installer dialogs while a new prefix is made on the display.
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
  # A server left by a run without a display would serve this one, and make no windows.
  WINEPREFIX=$(realpath -m "$1") wineserver -w 2>/dev/null || true
  status=0
  xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@" || status=$?
  WINEPREFIX=$(realpath -m "$1") wineserver -w || true
  exit $status
fi
prefix=$(realpath -m "$1")  # Wine takes only an absolute prefix
bits=$2
shift 2
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all}
wine32=/usr/lib/wine/wine
wine64=/usr/lib/wine/wine64
can_run_32() { "$wine32" --version > /dev/null 2>&1; }
if [ "$bits" = 32 ] && ! can_run_32; then
  echo "This machine cannot execute 32-bit programs: skipped" >&2
  exit 77
fi
if [ ! -f "$prefix/.ready" ] || [ ! -f "$prefix/.frames" ]; then
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    if [ ! -f "$prefix/.ready" ]; then
      echo "Making the Wine prefix $prefix" >&2
      boot=$wine64
      can_run_32 && boot=$wine32  # a mixed 32/64-bit prefix
      "$boot" wineboot -i > /dev/null 2>&1 || true
      WINEPREFIX=$prefix wineserver -w
      [ -f "$prefix/system.reg" ] || { echo "wineboot made no prefix in $prefix" >&2; exit 1; }
      touch "$prefix/.ready"
    fi
    if [ ! -f "$prefix/.frames" ]; then
      # Wine draws the windows' frames and captions itself: under Xvfb no window manager does.
      boot=$wine64
      can_run_32 && boot=$wine32
      "$boot" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f > /dev/null 2>&1 || true
      WINEPREFIX=$prefix wineserver -w
      touch "$prefix/.frames"
    fi
  ) 9> "$prefix.lock"
fi
dpi=${QUADRIFT_DPI:-96}
if [ "$(cat "$prefix/.dpi" 2> /dev/null || echo 96)" != "$dpi" ]; then
  boot=$wine64
  can_run_32 && boot=$wine32
  "$boot" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    > /dev/null 2>&1
  wineserver -w
  echo "$dpi" > "$prefix/.dpi"
fi
if [ "$bits" = 32 ]; then exec "$wine32" "$@"; else exec "$wine64" "$@"; fi
