#!/usr/bin/env bash
# Cross-builds the given targets for 64-bit Windows with Debian's mingw-w64 into build/mingw
# (GoogleTest for the target from Debian's sources, built once). Used by the Windows test,
# screenshot and packaging scripts.
# Usage: scripts/windows-build.sh TARGET...
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/deps.sh windows

toolchain=$root/cmake/mingw-w64.cmake
gtest=$root/build/mingw-googletest
if [ ! -f "$gtest/install/lib/cmake/GTest/GTestConfig.cmake" ]; then
    cmake -S /usr/src/googletest -B "$gtest/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest/install" \
        >/dev/null
    cmake --build "$gtest/build"
    cmake --install "$gtest/build" >/dev/null
fi
cmake -S . -B build/mingw -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DMV_WERROR=ON -DGTest_DIR="$gtest/install/lib/cmake/GTest" >/dev/null
cmake --build build/mingw --target "$@"
