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

# The program's own sources; the tests are left to the compilers' warnings.
git ls-files 'app/*.cpp' 'ui/*.cpp' 'windows/*.cpp' 'exercises/*.cpp' 'pictures/*.cpp' |
    xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet
echo "lint: clang-format and clang-tidy clean"
