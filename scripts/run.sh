#!/bin/sh
# Installs what is missing, builds, and starts the program.
set -eu
cd "$(dirname "$0")/.."
./scripts/build.sh
exec ./build/zanfilo
