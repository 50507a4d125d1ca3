#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Zanfilo team
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the house style and the static analysis on the program's sources. Needs the compile
# commands of a configured build (default build/; give another folder as the first argument).
set -eu
cd "$(dirname "$0")/.."
build="${1:-build}"

# Every C++ file that git knows, tests and tools included.
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

# The folders are layers, each including only the ones below it (and itself).
layers="ui settings pictures windows exercises app"
rank() { echo "$layers" | tr ' ' '\n' | grep -nx "$1" | cut -d: -f1; }
upward=$(for folder in $layers; do
    git ls-files "$folder/*.cpp" "$folder/*.h" | xargs -r grep -Ho '^#include "[a-z]*/' |
        sed 's|#include "||; s|/$||' | while IFS=: read -r file target; do
            [ "$(rank "$target")" -le "$(rank "$folder")" ] || echo "$file includes $target/"
        done
done)
[ -z "$upward" ] || { echo "lint: includes that run up the layers:"; echo "$upward"; exit 1; }

# The program's own sources that this build compiles (another system's files have their own
# build); the tests are left to the compilers' warnings.
git ls-files 'app/*.cpp' 'ui/*.cpp' 'windows/*.cpp' 'exercises/*.cpp' 'pictures/*.cpp' |
    while read -r file; do grep -qF "/$file\"" "$build/compile_commands.json" && echo "$file"; done |
    xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet
echo "lint: layers, clang-format and clang-tidy clean"
