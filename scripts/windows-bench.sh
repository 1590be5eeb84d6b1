#!/usr/bin/env bash
# Start-up until first paint of the Windows viewer under Wine beside a bare Win32 window made
# the same way, interleaved, its race clicks, its peak memory after every race, and follow
# mode's latency and idle cost; writes the figures to build/bench/results/wine.json,
# wine-memory.json and wine-follow.json for bench/report.py. A benchmark, not a test.
# Usage: scripts/windows-bench.sh [REPETITIONS]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
repetitions=${1:-15}
scripts/windows-build.sh Q-MvRCV98 make-sample-folder bare-win32-window win32-startup-bench \
    win32-follow-bench
bin=build/mingw/bin
work=$root/build/wine-bench
rm -rf "$work"
mkdir -p "$work/viewer" "$work/bare" build/bench/results
# Both stripped, as the package ships the viewer: Wine loads what an image holds, debug
# sections included.
x86_64-w64-mingw32-strip -o "$work/viewer/Q-MvRCV98.exe" "$bin/Q-MvRCV98.exe"
x86_64-w64-mingw32-strip -o "$work/bare/bare-win32-window.exe" "$bin/bare-win32-window.exe"

. scripts/wine-env.sh "$root/build/wine"
# The viewer on the sample folder with a settings file, so that it starts as a user's does.
LANG=ja_JP.UTF-8 wine "$bin/make-sample-folder.exe" "$(winepath -w "$work/viewer/sample-pat")" \
    --settings-if-absent "$(winepath -w "$work/viewer/Q-MvRV98.ini")" >/dev/null
LANG=ja_JP.UTF-8 wine "$bin/win32-startup-bench.exe" "$(winepath -w "$work/viewer/Q-MvRCV98.exe")" \
    "$(winepath -w "$work/bare/bare-win32-window.exe")" "$repetitions" \
    >build/bench/results/wine.json
# Peak memory: the viewer after every venue and race chosen, against the bare window with a
# label in each of the two Japanese faces after its first paint; the peak resident set (VmHWM)
# of each one's Wine process, read from /proc, five of each in turn.
peak_kib() { # PROGRAM PATTERN [ARGUMENT]
    local out=$work/browse.txt
    rm -f "$out"
    LANG=ja_JP.UTF-8 wine "$bin/win32-startup-bench.exe" browse "$(winepath -w "$1")" ${3:-} \
        >"$out" &
    local bench=$!
    for _ in $(seq 1200); do
        grep -q ready "$out" 2>/dev/null && break
        sleep 0.1
    done
    local kib
    kib=$(awk '/^VmHWM/ { print $2 }' "/proc/$(pgrep -n -f "$2")/status")
    wait "$bench"
    echo "$kib $(awk '{ print $3 }' "$out" | tr -d '\r')" # and the races chosen
}
viewer_kib=() labels_kib=()
for _ in 1 2 3 4 5; do
    read -r kib viewer_races < <(peak_kib "$work/viewer/Q-MvRCV98.exe" 'Q-MvRCV98[.]exe')
    viewer_kib+=("$kib")
    read -r kib _ < <(peak_kib "$work/bare/bare-win32-window.exe" 'bare-win32-window[.]exe' --labels)
    labels_kib+=("$kib")
done
join() { local IFS=,; echo "$*"; }
echo "{\"viewer_kib\": [$(join "${viewer_kib[@]}")], \"labels_kib\": [$(join "${labels_kib[@]}")], \"races\": $viewer_races}" \
    >build/bench/results/wine-memory.json
# Follow mode: 30 fetches of race 1 shown; then the viewer left alone with follow mode off and
# on, its process's CPU time over 60 s read from /proc (user and system ticks).
LANG=ja_JP.UTF-8 wine "$bin/win32-follow-bench.exe" "$(winepath -w "$work/viewer")" 30 \
    >"$work/follow.json"
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
idle_ms() {
    LANG=ja_JP.UTF-8 wine "$bin/win32-follow-bench.exe" "$(winepath -w "$work/viewer")" idle "$1" &
    local bench=$! pid=
    sleep 5
    pid=$(pgrep -n -f 'Q-MvRCV98.exe')
    local before after
    before=$(ticks "$pid")
    sleep 60
    after=$(ticks "$pid")
    wait "$bench"
    echo $(( (after - before) * 1000 / $(getconf CLK_TCK) ))
}
off=$(idle_ms off)
on=$(idle_ms on)
tr -d '\r' <"$work/follow.json" | sed "s/}\$/, \"idle_off_ms\": $off, \"idle_on_ms\": $on}/" \
    >build/bench/results/wine-follow.json
wine_cleanup
cat build/bench/results/wine-follow.json
cat build/bench/results/wine.json
cat build/bench/results/wine-memory.json
