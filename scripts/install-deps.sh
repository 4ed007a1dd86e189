#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
# Needs root (or sudo); non-interactive.
set -euo pipefail
packages=(build-essential cmake ninja-build clang libclang-rt-14-dev clang-format
          googletest libgtest-dev libgmock-dev libbenchmark-dev
          nlohmann-json3-dev libcli11-dev librsvg2-bin)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
# A mirror caught mid-sync fails some lists; what the packages need is usually there still.
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq || echo "apt-get update reported errors" >&2
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
