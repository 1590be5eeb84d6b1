#!/usr/bin/env bash
# Runs the viewer under Xvfb and saves a screenshot of its window. Each X Y pair is a click at
# that point of the window (window coordinates), made in order before the shot, as a user
# choosing buttons would. SHOT_BEFORE, when set, is a command run after the clicks and before
# the shot (a writer the window is to follow).
# Usage: scripts/xvfb-shot.sh VIEWER PNG [X Y]...
set -euo pipefail
if [ $# -lt 2 ] || [ $(( $# % 2 )) -ne 0 ]; then
    echo "usage: $0 VIEWER PNG [X Y]..." >&2
    exit 2
fi
rm -f "$2"
xvfb-run -a -s "-screen 0 1600x1200x24" bash -c '
    set -e
    viewer_path=$1 png=$2
    shift 2
    "$viewer_path" & viewer=$!
    trap "kill $viewer 2>/dev/null" EXIT
    id=$(timeout 30 xdotool search --sync --onlyvisible --name "Q-MvRCV98 Viewer" | head -n 1)
    sleep 2
    while [ $# -ge 2 ]; do
        xdotool mousemove --window "$id" "$1" "$2" click 1
        sleep 2
        shift 2
    done
    if [ -n "${SHOT_BEFORE:-}" ]; then
        bash -c "$SHOT_BEFORE"
        sleep 2
    fi
    import -window "$id" "$png"
' _ "$@"
[ -s "$2" ]
