#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running the viewer need, once.
# Usage: scripts/deps.sh build|test|run|bench|windows|fuzz
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev libxcb1-dev
          fonts-ipafont-gothic)
case "${1:-build}" in
    test) packages+=(clang-format xvfb xauth) ;;
    run) packages+=(xvfb xauth xdotool imagemagick) ;;
    # The fuzz targets and the reliability report: clang with libFuzzer and the sanitizers.
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    bench) packages+=(xvfb xauth python3) ;;
    # The cross-built viewer and its tests under a Japanese Wine on a virtual display, with
    # Japanese fonts and Wine's own (the caption buttons' symbols); GoogleTest from its sources.
    windows) packages=(cmake ninja-build g++-mingw-w64-x86-64-posix googletest wine wine64
                       locales xvfb xauth x11-utils fonts-ipafont-gothic fonts-wine) ;;
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
