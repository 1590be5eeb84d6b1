#!/usr/bin/env bash
# Cross-builds the core and its tests for 64-bit Windows and runs them under Wine with a
# Japanese user locale, then compares the portable sort comparison and full-width mapping with
# the system's.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/deps.sh windows

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
# Wine takes the user's locale from LANG, which must name a locale the machine has.
if ! locale -a 2>/dev/null | grep -qx 'ja_JP.utf8'; then
    "${sudo[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

toolchain=$root/cmake/mingw-w64.cmake
gtest=$root/build/mingw-googletest
# Wine without windows or add-on installers; the Japanese locale is given to each run below.
export WINEPREFIX=$root/build/wine WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY LC_ALL

# GoogleTest for the target, from Debian's sources, built once.
if [ ! -f "$gtest/install/lib/cmake/GTest/GTestConfig.cmake" ]; then
    cmake -S /usr/src/googletest -B "$gtest/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest/install" \
        >/dev/null
    cmake --build "$gtest/build"
    cmake --install "$gtest/build" >/dev/null
fi

# The first start of a prefix sets it up, without any window.
[ -f "$WINEPREFIX/system.reg" ] || wineboot --init >/dev/null 2>&1

cmake -S . -B build/mingw -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DMV_WERROR=ON -DMV_BUILD_GUI=OFF -DGTest_DIR="$gtest/install/lib/cmake/GTest" >/dev/null
# The core's suites (the Qt and Linux-only tests stay out) and the locale comparison.
suites=(platform_tests app_tests racecard_tests odds_tests settings_tests tools_tests windows_tests)
cmake --build build/mingw --target "${suites[@]}"

# One persistent Wine server for all the runs: a server that shuts down as the previous run
# ends can drop the next run's connection ("recvmsg: connection reset").
wineserver -p
# Each suite in one Wine process; the failing ones are named at the end.
failed=()
for suite in "${suites[@]}"; do
    echo "== $suite"
    LANG=ja_JP.UTF-8 wine "build/mingw/bin/$suite.exe" --gtest_brief=1 || failed+=("$suite")
done
wineserver -k || true
if [ ${#failed[@]} -ne 0 ]; then
    echo "Failed under Wine: ${failed[*]}"
    exit 1
fi
