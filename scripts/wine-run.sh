#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix, which is made on first use (once,
# even when several tests start together). BITS is 32 or 64.
# On a machine that cannot execute 32-bit code, a 32-bit program runs under the user-mode
# emulator (qemu-i386-static) when QUADRIFT_WINE32_SMOKE is set, as it is for the 32-bit smoke
# set, and otherwise exits with 77, which the tests count as skipped. QUADRIFT_WINE32=emulated
# takes the emulator's way on a machine that could run 32-bit code itself.
# Usage: wine-run.sh [--x] PREFIX BITS PROGRAM [ARGS...]
#        wine-run.sh --how-32    says how this machine runs the 32-bit tests
# With --x the program runs on a display of its own (Xvfb, 1024x768), and the prefix's server is
# waited for afterwards, so that the next run starts a server on its own display.
# QUADRIFT_DPI (96 when unset) is the screen's dots per inch, the prefix's LogPixels: written
# into the prefix before the program runs when the prefix has another.
set -euo pipefail
wine32=/usr/lib/wine/wine
wine64=/usr/lib/wine/wine64
emulator=qemu-i386-static
native_32() {
  [ "${QUADRIFT_WINE32:-}" != emulated ] && "$wine32" --version > /dev/null 2>&1
}
# Under the emulator Wine cannot start a process of its own, so the program runs alone, with
# Wine's 32-bit libraries linked into the prefix.
emulated_32() {
  command -v "$emulator" > /dev/null && [ -x "$wine32" ] &&
    [ -d /usr/lib/i386-linux-gnu/wine/i386-windows ]
}
if [ "${1:-}" = --how-32 ]; then
  if native_32; then
    echo "32-bit tests: run natively, all of them"
  elif emulated_32; then
    echo "32-bit tests: 32-bit code does not run natively here; the smoke set runs under" \
         "$emulator, the others are skipped"
  else
    echo "32-bit tests: 32-bit code does not run natively here and there is no emulator;" \
         "all are skipped"
  fi
  exit 0
fi
if [ "${1:-}" = --x ]; then
  shift
  if [ "$2" = 32 ] && ! native_32; then
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
# The Wine that makes and sets up the prefix: 32-bit where it runs, for a mixed 32/64-bit prefix.
boot=$wine64
native_32 && boot=$wine32
if [ "$bits" = 32 ] && ! native_32 && { [ -z "${QUADRIFT_WINE32_SMOKE:-}" ] || ! emulated_32; }; then
  echo "This machine cannot execute 32-bit programs: skipped" >&2
  exit 77
fi
if [ ! -f "$prefix/.ready" ] || [ ! -f "$prefix/.frames" ]; then
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    if [ ! -f "$prefix/.ready" ]; then
      echo "Making the Wine prefix $prefix" >&2
      "$boot" wineboot -i > /dev/null 2>&1 || true
      WINEPREFIX=$prefix wineserver -w
      [ -f "$prefix/system.reg" ] || { echo "wineboot made no prefix in $prefix" >&2; exit 1; }
      touch "$prefix/.ready"
    fi
    if [ ! -f "$prefix/.frames" ]; then
      # Wine draws the windows' frames and captions itself: under Xvfb no window manager does.
      "$boot" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f > /dev/null 2>&1 || true
      WINEPREFIX=$prefix wineserver -w
      touch "$prefix/.frames"
    fi
  ) 9> "$prefix.lock"
fi
# Writes a registry value into the prefix when the run asks for another than the prefix has, as
# remembered in the prefix's MARKER file (DEFAULT when there is none).
# Usage: prefix_setting MARKER DEFAULT VALUE KEY NAME [reg add options]
prefix_setting() {
  local marker=$prefix/$1 default=$2 value=$3 key=$4 name=$5
  shift 5
  [ "$(cat "$marker" 2> /dev/null || echo "$default")" != "$value" ] || return 0
  "$boot" reg add "$key" /v "$name" "$@" /d "$value" /f > /dev/null 2>&1
  wineserver -w
  echo "$value" > "$marker"
}
prefix_setting .dpi 96 "${QUADRIFT_DPI:-96}" 'HKCU\Control Panel\Desktop' LogPixels /t REG_DWORD
# QUADRIFT_WINE_MANAGED=N leaves the top-level windows to Wine rather than to a window manager.
# The virtual display has none, so with the default (Y) Wine waits two seconds for one at each
# window it hides; the benchmarks of what a user waits for run without that wait.
prefix_setting .managed Y "${QUADRIFT_WINE_MANAGED:-Y}" 'HKCU\Software\Wine\X11 Driver' Managed
if [ "$bits" = 64 ]; then exec "$wine64" "$@"; fi
if native_32; then exec "$wine32" "$@"; fi
# A prefix made by 64-bit Wine alone has an empty syswow64: Wine's 32-bit libraries go there.
if [ ! -f "$prefix/.syswow64" ]; then
  (
    flock 9
    for library in /usr/lib/i386-linux-gnu/wine/i386-windows/*; do
      target="$prefix/drive_c/windows/syswow64/$(basename "$library")"
      [ -e "$target" ] || ln -s "$library" "$target"
    done
    touch "$prefix/.syswow64"
  ) 9> "$prefix.lock"
fi
echo "32-bit under $emulator" >&2
WINELOADERNOEXEC=1 exec "$emulator" "$wine32" "$@"
