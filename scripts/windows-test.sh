#!/usr/bin/env bash
# Cross-builds the Windows viewer, the core and its tests for 64-bit Windows and runs them under
# Wine with a Japanese user locale on a virtual display: the core's suites, the comparison of
# the portable sort comparison and full-width mapping with the system's, and the end-to-end
# tests of the viewer itself. Then both views are clicked at the designed places of the click
# script and the caches they write compared byte for byte, the Windows view also under an
# English user locale (a Windows whose non-Unicode language is not Japanese). Last, the viewer's
# placement and clicks again at 144 dots per inch.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

# The core's suites (the Qt and Linux-only tests stay out), the locale comparison, the viewer
# and its end-to-end tests.
suites=(platform_tests app_tests racecard_tests odds_tests settings_tests tools_tests windows_tests
        win32_view_tests)
scripts/windows-build.sh "${suites[@]}" Q-MvRCV98 win32-click-caches
# The Qt view's side of the comparison.
scripts/deps.sh build
cmake --preset default -G Ninja >/dev/null
cmake --build --preset default --target qt-click-caches

failed=()
. scripts/wine-env.sh "$root/build/wine"
# Each suite in one Wine process; the failing ones are named at the end. Wine now and then
# fails to start a process at all (its address space already taken); a suite that wrote no
# report never ran, and gets one more start.
reports=$root/build/mingw/reports
mkdir -p "$reports"
run_suite() {
    local suite=$1 report="$reports/$1.xml"
    rm -f "$report"
    LANG=ja_JP.UTF-8 wine "build/mingw/bin/$suite.exe" --gtest_brief=1 \
        --gtest_output="xml:$(winepath -w "$report")" && return 0
    [ -f "$report" ] && return 1
    echo "$suite did not start under Wine; starting it again"
    LANG=ja_JP.UTF-8 wine "build/mingw/bin/$suite.exe" --gtest_brief=1
}
for suite in "${suites[@]}"; do
    echo "== $suite"
    run_suite "$suite" || failed+=("$suite")
done

# The same clicks at the same places in both views write the same caches.
clicks=$root/build/click-caches
rm -rf "$clicks"
echo "== caches of both views after the same clicks"
QT_QPA_PLATFORM=offscreen build/default/bin/qt-click-caches "$clicks/qt" >/dev/null 2>&1 ||
    failed+=(qt-click-caches)
for locale in ja_JP en_US; do
    if LANG=$locale.UTF-8 wine build/mingw/bin/win32-click-caches.exe \
        "$(winepath -w "$clicks")\\$locale" &&
        diff -r -q -x program "$clicks/qt" "$clicks/$locale"; then
        echo "the Windows view under $locale wrote the Qt view's caches at every step"
    else
        failed+=("caches under $locale")
    fi
done
wine_cleanup

# A resolution of 144 dots per inch: the whole window scaled, the clicks still on target.
echo "== win32_view_tests at 144 dpi"
. scripts/wine-env.sh "$root/build/wine-144" 144
LANG=ja_JP.UTF-8 wine build/mingw/bin/win32_view_tests.exe --gtest_brief=1 \
    --gtest_filter='*EveryControlAtItsPlace:*ClicksAtTheDesignedPlaces*' || failed+=("144 dpi")
wine_cleanup

if [ ${#failed[@]} -ne 0 ]; then
    echo "Failed under Wine: ${failed[*]}"
    exit 1
fi
