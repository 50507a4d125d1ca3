#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Zanfilo team
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds into build/ (the executable is build/zanfilo) with GCC.
# ZANFILO_WERROR=ON in the environment makes every warning an error.
set -eu
cd "$(dirname "$0")/.."
"$(dirname "$0")/setup-debian.sh"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZANFILO_WERROR="${ZANFILO_WERROR:-OFF}"
cmake --build build --parallel "$(nproc)"
