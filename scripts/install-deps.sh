#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, if
# missing. With --windows also what the Windows build needs: the mingw-w64
# cross compiler, Wine to run its programs and tests, and the Chinese locale
# under which Wine takes the code page 936.
set -euo pipefail

packages=(
    build-essential cmake ninja-build libc-bin
    qt6-base-dev libgl1-mesa-dev libgtest-dev libbenchmark-dev
    xvfb xauth xdotool x11-utils imagemagick fonts-wqy-microhei
)
windows=false
if [ "${1:-}" = "--windows" ]; then
    windows=true
    packages+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 locales)
fi

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
add_chinese_locale() {
    if $windows && ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
        echo "Adding the locale zh_CN.UTF-8"
        "${sudo[@]}" localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
    fi
}

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -ne 0 ]; then
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi
add_chinese_locale
