#!/usr/bin/env bash
# Builds the viewer optimised, runs every benchmark in one go and writes docs/PERFORMANCE.md.
# Usage: scripts/bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh bench
build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMV_WERROR=ON -DMV_BUILD_TESTS=OFF \
    >/dev/null
cmake --build "$build" --target bench-core bench-gui bench-process bare-window browse-races \
    Q-MvRCV98
bin="$build/bin"
out="$build/results"
mkdir -p "$out"

# Repetitions interleaved at random, so that each figure and its reference share the machine's
# state; the report pairs them repetition by repetition.
runs=(--benchmark_enable_random_interleaving=true --benchmark_out_format=json)
"$bin/bench-core" "${runs[@]}" --benchmark_repetitions=9 --benchmark_min_time=0.2 \
    --benchmark_out="$out/core.json"
"$bin/bench-gui" "${runs[@]}" --benchmark_repetitions=9 --benchmark_min_time=0.5 \
    --benchmark_out="$out/gui.json"
xvfb-run -a -s "-screen 0 1024x768x24" "$bin/bench-process" "${runs[@]}" \
    --benchmark_repetitions=7 --benchmark_out="$out/process.json"

# The Windows view's start-up under Wine, beside a bare Win32 window.
scripts/windows-bench.sh

python3 bench/report.py "$out" >docs/PERFORMANCE.md
echo "Figures written to docs/PERFORMANCE.md"
