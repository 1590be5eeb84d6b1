#!/usr/bin/env bash
# Runs the viewer under Xvfb and saves a screenshot of its window. With X and Y, clicks at
# that point of the window first (window coordinates), as a user choosing a button would.
# Usage: scripts/xvfb-shot.sh VIEWER PNG [X Y]
set -euo pipefail
if [ $# -ne 2 ] && [ $# -ne 4 ]; then
    echo "usage: $0 VIEWER PNG [X Y]" >&2
    exit 2
fi
rm -f "$2"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -e
    "$1" & viewer=$!
    trap "kill $viewer 2>/dev/null" EXIT
    id=$(timeout 30 xdotool search --sync --onlyvisible --name "Q-MvRCV98 Viewer" | head -n 1)
    sleep 2
    if [ $# -eq 4 ]; then
        xdotool mousemove --window "$id" "$3" "$4" click 1
        sleep 2
    fi
    import -window "$id" "$2"
' _ "$@"
[ -s "$2" ]
