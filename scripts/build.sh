#!/bin/sh
# Configures and builds into build/ (the executable is build/zanfilo).
set -eu
cd "$(dirname "$0")/.."
"$(dirname "$0")/setup-debian.sh"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel "$(nproc)"
