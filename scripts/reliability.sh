#!/usr/bin/env bash
# Runs every fuzz target, the fault tests and the kill test, and writes docs/RELIABILITY.md.
#
#   scripts/reliability.sh [RUNS]       RUNS executions per fuzz target (default 1000000)
#   scripts/reliability.sh --smoke SEC  each fuzz target for SEC seconds; no report (CI)
#
# FUZZ_TARGETS="results ini_file" limits the fuzz targets. Inputs that break a target's
# contract are kept in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

# The slowest first, so that the targets running side by side end at about the same time.
targets=(${FUZZ_TARGETS:-runner_files wide_odds quinella_odds meeting_index race_header
    bracket_quinella_odds results ini_file strict_conversions full_width compare_row_text})
smoke=0
runs=1000000
if [ "${1:-}" = "--smoke" ]; then
    smoke=1
    seconds=${2:-10}
elif [ -n "${1:-}" ]; then
    runs=$1
fi

scripts/deps.sh fuzz
cmake --preset fuzz -G Ninja >/dev/null
cmake --build --preset fuzz --target write-fuzz-seeds "${targets[@]/#/fuzz_}"
bin=build-fuzz/bin
work=build-fuzz/reliability
findings=build-fuzz/findings
rm -rf "$work/seeds"
mkdir -p "$work" "$findings"
"$bin/write-fuzz-seeds" "$work/seeds"
# The whole-window targets write files on every input: a memory file system keeps them fast.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS=detect_leaks=1

declare -A what=(
    [meeting_index]="meeting discovery, then the venue's choice"
    [race_header]="race header from the five data files"
    [runner_files]="three runner files, merge, ranking, race card caches and grid"
    [bracket_quinella_odds]="bracket quinella odds, caches and panel"
    [quinella_odds]="quinella odds, caches and panel"
    [wide_odds]="wide odds, caches and panel"
    [results]="results panel"
    [ini_file]="INI read, write and read back"
    [strict_conversions]="strict integer and decimal conversions"
    [full_width]="full-width mapping"
    [compare_row_text]="sort comparison: antisymmetry, transitivity, keys, sort"
)

# One target's run; its report row goes to $work/$t.row, its verdict to $work/$t.ok.
run_target() {
    local t=$1 limit result start elapsed execs
    mkdir -p "$work/corpus/$t"
    limit=(-runs="$runs")
    [ $smoke -eq 1 ] && limit=(-max_total_time="$seconds")
    start=$(date +%s)
    rm -f "$work/$t.ok"
    if "$bin/fuzz_$t" "${limit[@]}" -timeout=20 -max_len=16384 -print_final_stats=1 \
        -artifact_prefix="$findings/$t-" "$work/corpus/$t" "$work/seeds/$t" \
        >"$work/$t.log" 2>&1; then
        result="clean"
        touch "$work/$t.ok"
    else
        result="FINDING: $(grep -m1 -E 'FINDING|ERROR' "$work/$t.log" || echo 'see log')"
    fi
    elapsed=$(($(date +%s) - start))
    execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/$t.log" | grep -o '[0-9]*$' ||
        echo "?")
    echo "fuzz_$t: $execs executions in ${elapsed}s, $result"
    echo "| \`fuzz_$t\` | ${what[$t]} | $execs | ${elapsed} s | $result |" >"$work/$t.row"
}

# As many targets at a time as there are cores; the report keeps the order above.
jobs=$(nproc)
for t in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
        wait -n || true
    done
    run_target "$t" &
done
wait
fuzz_rows=""
failed=0
for t in "${targets[@]}"; do
    fuzz_rows+="$(cat "$work/$t.row")"$'\n'
    [ -f "$work/$t.ok" ] || failed=1
done
[ $smoke -eq 1 ] && exit $failed

# The fault tests, one row per test, from the test program's XML report.
cmake --preset sanitize -G Ninja >/dev/null
cmake --build --preset sanitize --target fault_tests
xml="$work/fault_tests.xml"
build/sanitize/bin/fault_tests --gtest_output="xml:$xml" >"$work/fault_tests.log" 2>&1 || failed=1
fault_rows=$(awk '
    /<testcase / {
        match($0, /name="[^"]*"/); name = substr($0, RSTART + 6, RLENGTH - 7)
        match($0, /classname="[^"]*"/); suite = substr($0, RSTART + 11, RLENGTH - 12)
        current = suite "." name; order[++n] = current; result[current] = "passed"
    }
    /<failure/ { result[current] = "FAILED" }
    /<property name="rounds"/ { match($0, /value="[0-9]*"/); rounds = substr($0, RSTART + 7, RLENGTH - 8) }
    /<property name="leftover_temporary_files"/ {
        match($0, /value="[0-9]*"/); leftovers = substr($0, RSTART + 7, RLENGTH - 8)
    }
    END {
        for (i = 1; i <= n; i++) printf "| `%s` | %s |\n", order[i], result[order[i]]
        if (rounds != "") printf "KILL %s %s\n", rounds, leftovers
    }' "$xml")
kill_line=$(grep '^KILL' <<<"$fault_rows" || true)
fault_rows=$(grep -v '^KILL' <<<"$fault_rows")
read -r _ kill_rounds kill_leftovers <<<"${kill_line:-KILL ? ?}"

cat >docs/RELIABILITY.md <<DOC
# Reliability

What was tried against the viewer's readers and writers, and what came of it. Written by
\`scripts/reliability.sh\` on $(date -u +%Y-%m-%d) ($(nproc) cores); run it again to refresh.

## Fuzz targets

libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer (clang, preset \`fuzz\`), seeds
from the sample folder. A target passes when every input either succeeds or fails with one of
the viewer's failure messages.

| target | what it drives | executions | time | result |
|---|---|---:|---:|---|
${fuzz_rows}
## Fault tests

\`fault_tests\` under AddressSanitizer and UndefinedBehaviorSanitizer.

| test | result |
|---|---|
${fault_rows}

## Killed writer

A writer rewriting the settings file and a cache was killed at random moments in
${kill_rounds} rounds; after every round each file was exactly its old or its new content.
Temporary files left by a kill: ${kill_leftovers} (never read by the viewer, removed by the
test between rounds).
DOC
echo "Wrote docs/RELIABILITY.md"
exit $failed
