#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang
    libgtest-dev libgmock-dev libbenchmark-dev
    libfreetype-dev libfontconfig-dev libpng-dev libssl-dev
    # the faces the font substitution table draws in place of the ones the programs name
    fonts-dejavu-core fonts-dejavu-extra fonts-liberation2
    libx11-dev libxext-dev libxtst6 xvfb xauth
    libsystemd-dev dbus-daemon
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "install-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo=sudo
fi
echo "install-deps: installing ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
