#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Zanfilo team
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds into build/ (the executable is build/zanfilo) with GCC. run.sh and test.sh
# both build through here with the same settings, so neither has to compile again what the other
# built. Warnings are errors only where CI is set: a newer compiler's new warning must not stop a
# teacher or a packager.
set -eu
cd "$(dirname "$0")/.."
"$(dirname "$0")/setup-debian.sh"
werror=OFF
[ -z "${CI:-}" ] || werror=ON
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZANFILO_WERROR="$werror"
# Only the targets named, if any (scripts/windows.sh needs one tool of this build).
[ $# -eq 0 ] || set -- --target "$@"
cmake --build build --parallel "$(nproc)" "$@"
