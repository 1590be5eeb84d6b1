#!/usr/bin/env bash
# Builds the Windows viewer, runs it under Wine inside Wine's own desktop (which draws the
# windows' frames) on the sample folder and saves pictures of it: the race card of the first
# venue's race 3 (a scratched runner) sorted by popularity, at 96 and at 144 dots per inch, and
# the settings dialog, and the race in follow mode after the next fetch of its odds:
# docs/windows-race-card.png, docs/windows-race-card-150.png, docs/windows-settings-dialog.png
# and docs/windows-follow-marks.png.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/windows-build.sh Q-MvRCV98 win32-screenshot
scripts/deps.sh run # ImageMagick turns the bitmaps into PNG files
mkdir -p docs

# shot PICTURE WIDGET...: the window after clicks on the widgets at their designed places.
shot() {
    local picture=$1
    shift
    local bitmap=$root/build/shot.bmp
    rm -f "$bitmap"
    LANG=ja_JP.UTF-8 wine explorer /desktop=shot,1500x1100 build/mingw/bin/win32-screenshot.exe \
        "$(winepath -w "$bitmap")" "$@" >/dev/null 2>&1
    convert "$bitmap" "$picture"
    echo "saved $picture"
}

. scripts/wine-env.sh "$root/build/wine-shots"
shot docs/windows-race-card.png RBkaisai1 RBR03 RBSortT
shot docs/windows-settings-dialog.png ButtonSetting
shot docs/windows-follow-marks.png RBkaisai1 RBR03 RBSortT fetch
wine_cleanup

. scripts/wine-env.sh "$root/build/wine-shots-144" 144
shot docs/windows-race-card-150.png RBkaisai1 RBR03 RBSortT
wine_cleanup
