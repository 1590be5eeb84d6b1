#!/usr/bin/env bash
# Fails when a C++ file of the project is not formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h' | grep -v '^./build')
[ -n "$files" ] || exit 0
if ! clang-format --dry-run --Werror $files; then
    echo "Formatting differs from .clang-format; run: clang-format -i <files>" >&2
    exit 1
fi
