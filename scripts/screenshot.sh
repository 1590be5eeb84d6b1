#!/usr/bin/env bash
# Builds the viewer, opens it on the sample folder under Xvfb and saves the window: with the
# first venue chosen (docs/main-window.png), and at its race 3, which has a scratched runner,
# with the race card sorted by popularity (docs/race-card.png), also at a scale factor of 1.5
# (docs/race-card-150.png).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake --preset default -G Ninja >/dev/null
cmake --build --preset default --target Q-MvRCV98 make-sample-folder sample-odds-writer
bin="$PWD/build/default/bin"

# A copy of the viewer in a scratch folder, so that its settings, sample folder and caches
# are fresh and the user's own next to the build are neither used nor touched.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$bin/Q-MvRCV98" "$work/"
"$bin/make-sample-folder" "$work/sample-pat/" --settings-if-absent "$work/Q-MvRV98.ini" >/dev/null

# Button indicators: the first venue button at PanelPAD (665, 0) + GBjyoumei (8, 8) +
# RBkaisai1 (8, 16); RBR03 at PanelPAD + GBR (8, 136) + (8, 48); RBSortT at PanelDE (0, 0) +
# (8, 32).
mkdir -p docs
scripts/xvfb-shot.sh "$work/Q-MvRCV98" docs/main-window.png 687 32
scripts/xvfb-shot.sh "$work/Q-MvRCV98" docs/race-card.png 687 32 687 192 14 40
# The same clicks at a scale factor of 1.5: every position one and a half times as far.
QT_SCALE_FACTOR=1.5 scripts/xvfb-shot.sh "$work/Q-MvRCV98" docs/race-card-150.png 1030 48 1030 288 21 60
# Follow mode on race 3 while the odds are fetched once more: the odds that moved are marked.
sed -i 's/^\[Options\]\r$/[Options]\r\nAutoUpdate=1\r/' "$work/Q-MvRV98.ini"
SHOT_BEFORE="'$bin/sample-odds-writer' '$work/sample-pat' --race 3 --steps 1 >/dev/null" \
    scripts/xvfb-shot.sh "$work/Q-MvRCV98" docs/follow-marks.png 687 32 687 192 14 40
echo "Screenshots saved to docs/main-window.png, docs/race-card.png, docs/race-card-150.png and" \
    "docs/follow-marks.png"
