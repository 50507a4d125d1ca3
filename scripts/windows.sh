#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Zanfilo team
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows program from this source: builds Qt for Windows once (scripts/windows-qt.sh, from
# the sources in ZANFILO_QT_SOURCES or downloaded), cross-builds zanfilo.exe and the unit suites
# into build-windows/ with MinGW-w64, makes the setup programs (zanfilo-1.00-setup.exe with NSIS,
# zanfilo-1.00.msi with wixl), and under Wine runs the suites on the offscreen platform, the smoke
# test's Windows row on Xvfb, both setup programs and the console's redirects.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup-debian.sh g++-mingw-w64-x86-64-posix wine wine64 nsis wixl
# Its only output is the path; a failure stops here with its own message.
qt="$(./scripts/windows-qt.sh)"
# The icon is drawn by the Linux build's own tool, and its smoke test drives the .exe.
./scripts/build.sh render_svg smoke_test

werror=OFF
[ -z "${CI:-}" ] || werror=ON
cmake -S . -B build-windows -DCMAKE_BUILD_TYPE=Release -DZANFILO_WERROR="$werror" \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DZANFILO_RENDER_SVG="$(pwd)/build/tools/render_svg" -DCMAKE_CROSSCOMPILING_EMULATOR=wine
cmake --build build-windows --parallel "$(nproc)"
cmake --build build-windows --target setup msi

# A Wine of the build's own, made anew, without the browser and .NET it would offer to fetch.
export WINEPREFIX="$(pwd)/build-windows/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$WINEPREFIX"
wine wineboot --init
(cd build-windows && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)")
(cd build && ZANFILO_WINDOWS_EXECUTABLE="$(pwd)/../build-windows/zanfilo.exe" QT_QPA_PLATFORM=offscreen \
    ctest --output-on-failure -R '^e2e_smoke$')
./tests/windows/setup_test.sh build-windows
# The console: each stream goes where it was sent, in UTF-8.
(cd build-windows && rm -f v.txt e.txt && wine cmd /c "zanfilo.exe --version > v.txt" &&
    { wine cmd /c "zanfilo.exe --bogus 2> e.txt" || [ $? -eq 2 ]; } &&
    grep -q "^zanfilo [0-9]" v.txt &&
    grep -q "quantità" e.txt) || {
    echo "windows: zanfilo.exe's output was not where it was sent" >&2
    exit 1
}
wineserver --kill || true
echo "windows: build-windows/zanfilo.exe, zanfilo-1.00-setup.exe and zanfilo-1.00.msi"
