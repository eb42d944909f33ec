#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program under Wine need, when any
# is missing. Safe to run again: an up-to-date machine installs nothing.
set -eu

PACKAGES=(
    cmake ninja-build g++ pkg-config
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    g++-mingw-w64-x86-64 mingw-w64-x86-64-dev
    wine64 xvfb xdotool imagemagick x11-utils
    fonts-noto-cjk fonts-dejavu-core
    libcairo2-dev libpango1.0-dev
    libpugixml-dev libexpat1-dev
    nsis zip unzip
)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ "${#missing[@]}" -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
