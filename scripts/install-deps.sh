#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, if missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build libc-bin
    qt6-base-dev libgl1-mesa-dev libgtest-dev libbenchmark-dev
    xvfb xauth xdotool x11-utils imagemagick fonts-wqy-microhei
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
