#!/usr/bin/env bash
# Cross-builds the Windows viewer, the core and its tests for 64-bit Windows and runs them under
# Wine with a Japanese user locale on a virtual display: the core's suites, the comparison of
# the portable sort comparison and full-width mapping with the system's, and the end-to-end
# tests of the viewer itself. Then both views are clicked at the designed places of the click
# script and the caches they write compared byte for byte, the Windows view also under an
# English user locale (a Windows whose non-Unicode language is not Japanese).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/deps.sh build
scripts/deps.sh windows

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
# Wine takes the user's locale from LANG, which must name a locale the machine has.
if ! locale -a 2>/dev/null | grep -qx 'ja_JP.utf8'; then
    "${sudo[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

toolchain=$root/cmake/mingw-w64.cmake
gtest=$root/build/mingw-googletest
# Wine without windows or add-on installers; the locale is given to each run below.
export WINEPREFIX=$root/build/wine WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset LC_ALL

# GoogleTest for the target, from Debian's sources, built once.
if [ ! -f "$gtest/install/lib/cmake/GTest/GTestConfig.cmake" ]; then
    cmake -S /usr/src/googletest -B "$gtest/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest/install" \
        >/dev/null
    cmake --build "$gtest/build"
    cmake --install "$gtest/build" >/dev/null
fi

cmake -S . -B build/mingw -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DMV_WERROR=ON -DGTest_DIR="$gtest/install/lib/cmake/GTest" >/dev/null
# The core's suites (the Qt and Linux-only tests stay out), the locale comparison, the viewer
# and its end-to-end tests.
suites=(platform_tests app_tests racecard_tests odds_tests settings_tests tools_tests windows_tests
        win32_view_tests)
cmake --build build/mingw --target "${suites[@]}" Q-MvRCV98 win32-click-caches
# The Qt view's side of the comparison.
cmake --preset default -G Ninja >/dev/null
cmake --build --preset default --target qt-click-caches

# A virtual display of its own for every Wine run: the viewer's windows need one.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$display"
for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

# The first start of a prefix sets it up, without any window.
[ -f "$WINEPREFIX/system.reg" ] || wineboot --init >/dev/null 2>&1

# One persistent Wine server for all the runs: a server that shuts down as the previous run
# ends can drop the next run's connection ("recvmsg: connection reset").
wineserver -p
cleanup() {
    wineserver -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

# Each suite in one Wine process; the failing ones are named at the end.
failed=()
for suite in "${suites[@]}"; do
    echo "== $suite"
    LANG=ja_JP.UTF-8 wine "build/mingw/bin/$suite.exe" --gtest_brief=1 || failed+=("$suite")
done

# The same clicks at the same places in both views write the same caches.
clicks=$root/build/click-caches
rm -rf "$clicks"
echo "== caches of both views after the same clicks"
QT_QPA_PLATFORM=offscreen build/default/bin/qt-click-caches "$clicks/qt" >/dev/null 2>&1 ||
    failed+=(qt-click-caches)
for locale in ja_JP en_US; do
    if ! LANG=$locale.UTF-8 wine build/mingw/bin/win32-click-caches.exe \
        "$(winepath -w "$clicks")\\$locale" ||
        ! diff -r -q -x program "$clicks/qt" "$clicks/$locale"; then
        failed+=("caches under $locale")
    else
        echo "the Windows view under $locale wrote the Qt view's caches at every step"
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "Failed under Wine: ${failed[*]}"
    exit 1
fi
