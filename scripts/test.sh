#!/bin/sh
# Installs what is missing, builds, and runs every test (the end-to-end ones start their own Xvfb).
set -eu
cd "$(dirname "$0")/.."
./scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
