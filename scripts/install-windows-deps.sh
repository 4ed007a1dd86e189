#!/usr/bin/env bash
# Installs what the Windows builds and their tests under Wine need, only what is missing:
# the MinGW-w64 cross compilers and tools, 64-bit Wine with its IDL files, a virtual display
# for the tests that open windows (xvfb-run needs xauth), fonts for the dialog's Japanese,
# Chinese and Korean captions on screen, unzip for the test that unpacks the integrators'
# package, the compiler of the desktop program's help file (chmcmd, in fp-utils), and 32-bit Wine
# (which needs the i386 architecture). Needs root (or sudo); non-interactive.
set -euo pipefail
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
apt_get() { $sudo env DEBIAN_FRONTEND=noninteractive apt-get "$@"; }
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

packages=(mingw-w64 mingw-w64-tools wine wine64 libwine-dev xvfb xauth fonts-ipafont-gothic
          fonts-wqy-microhei unzip fp-utils)
missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
updated=no
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if apt_get update -qq; then updated=yes; else echo "apt-get update reported errors" >&2; fi
  apt_get install -y -qq --no-install-recommends "${missing[@]}"
fi

# 32-bit Wine: the i386 architecture first, then wine32 from its package lists. A mirror caught
# mid-sync can leave the i386 lists behind the amd64 ones, so that wine32 cannot be installed;
# the 32-bit DLL still builds then, and its tests under Wine report themselves skipped.
if ! installed wine32:i386; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
    updated=no
  fi
  [ "$updated" = yes ] || apt_get update -qq || echo "apt-get update reported errors" >&2
  echo "Installing: wine32:i386"
  if ! apt_get install -y -qq --no-install-recommends wine32:i386; then
    echo "wine32:i386 could not be installed: the 32-bit tests under Wine will be skipped" >&2
  fi
fi
