#!/usr/bin/env bash
# Builds the viewer, opens it on the sample folder under Xvfb, chooses the first venue and
# saves the window as docs/main-window.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake --preset default -G Ninja >/dev/null
cmake --build --preset default --target Q-MvRCV98 make-sample-folder
bin="$PWD/build/default/bin"

# A copy of the viewer in a scratch folder, so that its settings, sample folder and caches
# are fresh and the user's own next to the build are neither used nor touched.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$bin/Q-MvRCV98" "$work/"
"$bin/make-sample-folder" "$work/sample-pat/" --settings-if-absent "$work/Q-MvRV98.ini" >/dev/null

# The first venue button: PanelPAD (665, 0) + GBjyoumei (8, 8) + RBkaisai1 (8, 16), at its
# indicator.
mkdir -p docs
scripts/xvfb-shot.sh "$work/Q-MvRCV98" docs/main-window.png 687 32
echo "Screenshot saved to docs/main-window.png"
