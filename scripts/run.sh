#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Zanfilo team
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and starts the program.
set -eu
cd "$(dirname "$0")/.."
./scripts/build.sh
exec ./build/zanfilo
