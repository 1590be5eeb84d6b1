#!/usr/bin/env bash
# Records the system's code page 932 conversion, full-width mapping and sort comparison under
# Wine with a Japanese user locale: the sort weights the portable comparison is built from
# (platform/CollationData.cpp) and the vectors the tests hold the portable functions to
# (tests/data/vectors/). Run it again only to record anew.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/windows-build.sh record-locale
. scripts/wine-env.sh "$root/build/wine"
record() {
    LANG=ja_JP.UTF-8 wine build/mingw/bin/record-locale.exe "$@" | tr -d '\r'
}
vectors=tests/data/vectors
record collation-data > platform/CollationData.cpp
record display > "$vectors/display-units.txt"
record fullwidth > "$vectors/fullwidth-units.txt"
record pairs 4000 932 > "$vectors/random-collation.tsv"
record mappings 2000 411 > "$vectors/random-fullwidth.tsv"
wine_cleanup
echo "recorded: platform/CollationData.cpp and $vectors/{display-units,fullwidth-units}.txt," \
     "$vectors/random-{collation,fullwidth}.tsv"
