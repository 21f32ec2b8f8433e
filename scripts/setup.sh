#!/usr/bin/env bash
# Installs what building, testing and the gallery need on Debian 12.
# Quick when everything is there. Never installs wine32: these machines cannot
# run 32-bit code, and with it Wine picks the 32-bit loader.
set -euo pipefail

packages=(
    cmake make
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    wine64 fonts-wine
    xvfb xauth
    googletest
    imagemagick
    llvm
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
