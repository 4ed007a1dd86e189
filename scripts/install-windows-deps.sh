#!/usr/bin/env bash
# Installs what the Windows builds and their tests under Wine need, only what is missing:
# the MinGW-w64 cross compilers and tools, 64-bit Wine with its IDL files, a virtual display
# for the tests that open windows (xvfb-run needs xauth), fonts for the dialog's Japanese,
# Chinese and Korean captions on screen, unzip for the test that unpacks the integrators'
# package, the compiler of the desktop program's help file (chmcmd, in fp-utils), and 32-bit Wine
# (which needs the i386 architecture), with the user-mode emulator where the kernel refuses
# 32-bit code. Needs root (or sudo); non-interactive.
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
# mid-sync can leave the i386 lists behind the amd64 ones (the security suite's i386 lists have
# been seen missing): a library installed for amd64 from the newer lists then has no i386 twin of
# the same version, which a multi-arch library needs. Then wine32 comes from the release's own
# lists, and each such library's amd64 side is moved to the version its i386 side has there.
# Where even that fails, the 32-bit DLL still builds and its tests under Wine report themselves
# skipped.
install_wine32_from_release() {
  local codename pins=() round unmet pkg name version installed_version
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  [ -n "$codename" ] || return 1
  for round in 1 2 3 4 5 6 7 8; do
    # What the resolver cannot place: an i386 library "not going to be installed" (named with
    # ":i386"), or an amd64 package it would remove to make room.
    unmet=$(apt-get install -s -t "$codename" --allow-downgrades --no-install-recommends \
              wine32:i386 "${pins[@]}" 2>&1 |
            sed -n -e 's/.*Depends: \([^ :]*:i386\) .*not going to be installed.*/\1/p' \
                   -e 's/^Remv \([^ :]*\) .*/\1/p' | sort -u || true)
    if [ -z "$unmet" ]; then
      apt_get install -y -qq -t "$codename" --allow-downgrades --no-install-recommends \
        wine32:i386 "${pins[@]}"
      return
    fi
    local added=0
    for pkg in $unmet; do
      name=${pkg%:i386}
      version=$(apt-cache policy "$name:i386" 2>/dev/null | sed -n 's/^ *Candidate: //p')
      [ -n "$version" ] && [ "$version" != "(none)" ] || continue
      # A library whose amd64 side is installed at another version moves to the i386 one.
      installed_version=$(dpkg-query -W -f='${Version}' "$name:amd64" 2>/dev/null || true)
      if [ -n "$installed_version" ] && [ "$installed_version" != "$version" ] &&
         [[ " ${pins[*]} " != *" $name:amd64="* ]]; then
        pins+=("$name:amd64=$version")
        added=1
      fi
      # Its i386 side, and any i386 library the resolver left out, is asked for by name, so that
      # the resolver says why it cannot have it.
      if { [ "$pkg" != "$name" ] || [[ " ${pins[*]} " == *" $name:amd64="* ]]; } &&
         [[ " ${pins[*]} " != *" $name:i386 "* ]]; then
        pins+=("$name:i386")
        added=1
      fi
    done
    [ "$added" = 1 ] || return 1
    echo "Installing wine32 from $codename's lists with: ${pins[*]}"
  done
  return 1
}

if ! installed wine32:i386; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
    updated=no
  fi
  [ "$updated" = yes ] || apt_get update -qq || echo "apt-get update reported errors" >&2
  echo "Installing: wine32:i386"
  if ! apt_get install -y -qq --no-install-recommends wine32:i386 &&
     ! install_wine32_from_release; then
    echo "wine32:i386 could not be installed: the 32-bit tests under Wine will be skipped" >&2
  fi
fi

# Where the kernel refuses 32-bit code, 32-bit Wine runs the smoke set under the user-mode
# emulator instead (scripts/wine-run.sh).
if installed wine32:i386 && ! /usr/lib/wine/wine --version > /dev/null 2>&1 &&
   ! installed qemu-user-static; then
  echo "Installing: qemu-user-static (this machine cannot execute 32-bit programs)"
  apt_get install -y -qq --no-install-recommends qemu-user-static ||
    echo "qemu-user-static could not be installed: the 32-bit tests will be skipped" >&2
fi
