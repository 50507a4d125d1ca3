#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Zanfilo team
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of this tree in a folder of its own (default build-package/) and
# prints the package's path. SOURCE_DATE_EPOCH, taken from the last commit unless it is set,
# fixes every time the package records, so the same commit gives the same bytes.
#   package.sh [BUILD_DIR]
set -eu
cd "$(dirname "$0")/.."
./scripts/setup-debian.sh >&2
out=${1:-build-package}
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
fi
export SOURCE_DATE_EPOCH
# The flags Debian builds its packages with, every hardening feature on.
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cmake -S . -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
    -DCMAKE_CXX_FLAGS="$(flags CXXFLAGS) $(flags CPPFLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" \
    -DZANFILO_WERROR="${ZANFILO_WERROR:-OFF}" >&2
cmake --build "$out" --parallel "$(nproc)" >&2
cd "$out"
cpack -G DEB >&2
ls "$(pwd)"/zanfilo_*.deb
