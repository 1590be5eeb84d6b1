#!/usr/bin/env bash
# Start-up until first paint of the Windows viewer under Wine beside a bare Win32 window made
# the same way, interleaved; writes the figures to build/bench/results/wine.json for
# bench/report.py. A benchmark, not a test.
# Usage: scripts/windows-bench.sh [REPETITIONS]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
repetitions=${1:-15}
scripts/windows-build.sh Q-MvRCV98 make-sample-folder bare-win32-window win32-startup-bench
bin=build/mingw/bin
work=$root/build/wine-bench
rm -rf "$work"
mkdir -p "$work/viewer" "$work/bare" build/bench/results
cp "$bin/Q-MvRCV98.exe" "$work/viewer/"
cp "$bin/bare-win32-window.exe" "$work/bare/"

. scripts/wine-env.sh "$root/build/wine"
# The viewer on the sample folder with a settings file, so that it starts as a user's does.
LANG=ja_JP.UTF-8 wine "$bin/make-sample-folder.exe" "$(winepath -w "$work/viewer/sample-pat")" \
    --settings-if-absent "$(winepath -w "$work/viewer/Q-MvRV98.ini")" >/dev/null
LANG=ja_JP.UTF-8 wine "$bin/win32-startup-bench.exe" "$(winepath -w "$work/viewer/Q-MvRCV98.exe")" \
    "$(winepath -w "$work/bare/bare-win32-window.exe")" "$repetitions" \
    >build/bench/results/wine.json
wine_cleanup
cat build/bench/results/wine.json
