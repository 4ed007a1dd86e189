#!/usr/bin/env bash
# Fetches the source of Debian's Google Benchmark package into build/third_party/benchmark, once,
# for the Windows benchmarks: Debian ships the library built for Linux only, so the Windows
# builds compile it from its Debian source with the cross compiler. Needs root (or sudo) the
# first time, to add the source index to apt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dest=$root/build/third_party/benchmark
[ -f "$dest/CMakeLists.txt" ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
list=/etc/apt/sources.list.d/quadrift-deb-src.sources
if ! apt-get source --print-uris benchmark > /dev/null 2>&1; then
  # The release the binary packages come from, read from apt's own sources.
  suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
  printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$suite" | $sudo tee "$list" > /dev/null
  # An index of another architecture that fails to download (a mirror mid-sync) does not keep
  # the source index from being read.
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq ||
    echo "apt-get update reported failures; trying the source index anyway" >&2
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get source --download-only -qq benchmark > /dev/null 2>&1)
mkdir -p "$dest"
tar -xzf "$work"/benchmark_*.orig.tar.gz -C "$dest" --strip-components=1
echo "Google Benchmark source in $dest"
