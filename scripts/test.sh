#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Zanfilo team
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds with GCC, and runs every test (the end-to-end ones start their
# own Xvfb); checks the house style and the static analysis, and what a distribution checks of a
# release (licences, manual pages, a reproducible and lintian-clean package); then builds once
# more, with Clang, AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer, and runs the
# suite and a shorter monkey there, where any report fails. So both compilers build every file; in
# CI (CI set) every build treats a warning as an error. Last, the Windows program and its suites
# (scripts/windows.sh), from Qt's sources in ZANFILO_QT_SOURCES, by default ../shared/qt-sources.
set -eu
cd "$(dirname "$0")/.."
./scripts/build.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)")

./scripts/lint.sh build
werror=OFF
[ -z "${CI:-}" ] || werror=ON
ZANFILO_WERROR="$werror" ./scripts/check-release.sh

CC=clang CXX=clang++ cmake -S . -B build-clang-asan -DCMAKE_BUILD_TYPE=Debug -DZANFILO_SANITIZE=ON \
    -DZANFILO_WERROR="$werror"
cmake --build build-clang-asan --parallel "$(nproc)"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$(pwd)/tests/sanitizers/lsan.supp:print_suppressions=0"
# The package test is left out: a package of the sanitizer build would not be shipped.
(cd build-clang-asan && QT_QPA_PLATFORM=offscreen ZANFILO_MONKEY_EVENTS=20000 \
    ctest --output-on-failure --parallel "$(nproc)" -E '^package$')

[ -n "${ZANFILO_QT_SOURCES:-}" ] || [ ! -d ../shared/qt-sources ] ||
    ZANFILO_QT_SOURCES="$(cd ../shared/qt-sources && pwd)"
export ZANFILO_QT_SOURCES
./scripts/windows.sh
