#!/usr/bin/env bash
# Installs what Korvex needs to build and test on Debian 12 (run as root).
set -euo pipefail
packages=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev qt6-svg-dev libqcustomplot-dev libgl-dev fonts-dejavu-core
          pkg-config libedit-dev libprimecount-dev
          dpkg-dev   # dpkg-shlibdeps: the Debian package's dependencies (tests/package)
          desktop-file-utils appstream)  # validators of the desktop entry and metainfo
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
