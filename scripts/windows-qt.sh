#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Zanfilo team
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a static Qt 6.4.2 for 64-bit Windows with Debian's MinGW-w64 compiler, once, into a cache
# outside the checkout (about 15 minutes on two cores); when the cache is complete it only prints
# its path. A Windows build of Zanfilo then configures with
#   -DCMAKE_TOOLCHAIN_FILE=<that path>/lib/cmake/Qt6/qt.toolchain.cmake
# Progress goes to stderr: stdout carries the path alone.
#
# The archives come from ZANFILO_QT_SOURCES; without it they are downloaded from Qt's site (or
# ZANFILO_QT_MIRROR, a base address holding them) and checked against the sums below before use.
set -eu
cd "$(dirname "$0")/.."

VERSION=6.4.2
CACHE="${ZANFILO_QT_CACHE:-$HOME/.cache/zanfilo}"
MIRROR="${ZANFILO_QT_MIRROR:-https://download.qt.io/official_releases/qt/6.4/$VERSION/submodules}"

# The archives a build may come from, each with the one sum it must have: Qt's own release
# archives, or the project's (Debian's qtbase, which lacks some third-party code this build does not
# use: wintab, iaccessible2, sqlite; and qtsvg's release tag).
SUMS="a88bc6cedbb34878a49a622baa79cace78cfbad4f95fdbd3656ddb21c705525d  qtbase-everywhere-src-$VERSION.tar.xz
4f14b89a9463a540fd84a6718b8519a2297119b454ef547721015a9e9019ae9e  qtbase-$VERSION-debian-dfsg.tar.xz
b746af3cb1793621d8ed7eae38d9ad5a15541dc2742031069f2ae3fe87590314  qtsvg-everywhere-src-$VERSION.tar.xz
52e2c37abec731e77f8df7b10ea6cabe8c6823079a4d8fb22b0bbad65a9aaf98  qtsvg-everywhere-src-$VERSION.tar.xz"
QTBASE_NAMES="qtbase-everywhere-src-$VERSION.tar.xz qtbase-$VERSION-debian-dfsg.tar.xz"
QTSVG_NAMES="qtsvg-everywhere-src-$VERSION.tar.xz"

say() { echo "windows-qt: $*" >&2; }
fail() {
    say "$*"
    exit 1
}

# Prints "SUM  NAME" for a file whose sum is one listed for its name (the file's own, or $2);
# nothing otherwise.
checked() {
    [ -f "$1" ] || return 0
    sum="$(sha256sum "$1" | cut -d ' ' -f 1)"
    printf '%s\n' "$SUMS" | grep -x "$sum  ${2:-$(basename "$1")}" || true
}

# The first of the names ($2...) found in folder $1 with its listed sum, or downloaded into it.
archive() {
    folder=$1
    shift
    for name in "$@"; do
        [ -z "$(checked "$folder/$name")" ] || {
            echo "$folder/$name"
            return
        }
    done
    [ -z "${ZANFILO_QT_SOURCES:-}" ] || fail "none of $* in $folder has the sum listed in $0"
    for name in "$@"; do
        say "downloading $MIRROR/$name"
        curl --fail --location --silent --show-error --retry 3 -o "$folder/$name.part" "$MIRROR/$name" ||
            continue
        [ -n "$(checked "$folder/$name.part" "$name")" ] || {
            rm -f "$folder/$name.part"
            fail "$MIRROR/$name does not have the sum listed in $0"
        }
        mv "$folder/$name.part" "$folder/$name"
        echo "$folder/$name"
        return
    done
    fail "could not download $*: set ZANFILO_QT_SOURCES to a folder holding them, or ZANFILO_QT_MIRROR"
}

if [ -n "${ZANFILO_QT_SOURCES:-}" ]; then
    SOURCES="$(cd "$ZANFILO_QT_SOURCES" && pwd)"
else
    SOURCES="$CACHE/downloads"
    mkdir -p "$SOURCES"
    command -v curl >/dev/null || ./scripts/setup-debian.sh curl ca-certificates >&2
fi
# shellcheck disable=SC2086 # the names are meant to split into words
QTBASE="$(archive "$SOURCES" $QTBASE_NAMES)"
QTSVG="$(archive "$SOURCES" $QTSVG_NAMES)"

# The compiler, and the host's moc and rcc (qt6-base-dev-tools), which serve the build.
./scripts/setup-debian.sh g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 ninja-build perl xz-utils \
    qt6-base-dev-tools >&2

TOOLCHAIN_TEXT="$(cat <<'EOF'
# Cross-compiles for 64-bit Windows with Debian's MinGW-w64, the POSIX-threads flavour (the win32
# one lacks std::thread and friends).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
# Libraries and headers only from the MinGW tree (or Qt's prefix, which Qt's toolchain file adds),
# never from the Linux host; programs from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF
)"
# Zanfilo needs Core, Gui, Widgets, Test and Svg; everything else that can go, goes.
# - Xml too: QtSvg parses with Core's QXmlStreamReader.
# - Image formats other than PNG (built into QtGui) and SVG.
# - The qdirect2d platform plugin (direct2d1_1); Direct2D and DirectWrite 3 stay, as 6.4's Windows
#   plugin does not link with only one of them.
# - OpenGL stays, loaded at run time: 6.4's Windows plugin does not build without it.
# - Tablet events need wintab, which Debian's source lacks. Accessibility stays: on Windows it is
#   UI Automation, which needs neither wintab nor iaccessible2.
# - Bundled third-party code only, so nothing is picked up from the MinGW tree (its zlib would be
#   linked as a DLL), and a static C++ runtime; the program itself links with -static too, or it
#   still needs libgcc's DLL.
QTBASE_OPTIONS="-DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF
-DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
-DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
-DFEATURE_concurrent=OFF -DFEATURE_dbus=OFF -DFEATURE_network=OFF -DFEATURE_printsupport=OFF
-DFEATURE_sql=OFF -DFEATURE_xml=OFF
-DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_jpeg=OFF
-DFEATURE_vulkan=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF
-DFEATURE_direct2d1_1=OFF -DINPUT_opengl=dynamic
-DFEATURE_tabletevent=OFF -DFEATURE_accessibility=ON
-DFEATURE_pkg_config=OFF -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF
-DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
-DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF
-DFEATURE_system_textmarkdownreader=OFF
-DFEATURE_static_runtime=ON"

# The cache is keyed by all that makes it: a change of archive, option or compiler builds anew.
KEY="$( (checked "$QTBASE" && checked "$QTSVG" && printf '%s\n' "$QTBASE_OPTIONS" "$TOOLCHAIN_TEXT" &&
    x86_64-w64-mingw32-g++-posix --version | head -n 1) | sha256sum | cut -c 1-12)"
PREFIX="$CACHE/qt-$VERSION-mingw-static-$KEY"
# Built outside the checkout, so that Qt's tree never shows up in git, lint or licence checks.
WORK="$CACHE/qt-build-$KEY"
LOG="$WORK/build.log"

if [ -f "$PREFIX/.complete" ]; then
    echo "$PREFIX"
    exit 0
fi

# A work folder left by an interrupted run is resumed (ninja picks up where it stopped); without
# one, whatever an interrupted install left in the prefix goes.
[ -d "$WORK" ] || rm -rf "$PREFIX"
mkdir -p "$WORK" "$PREFIX"
cd "$WORK"
say "building Qt $VERSION into $PREFIX, log in $LOG"

TIMES=""
# Everything runs at the lowest priority: the machine is usually shared with someone compiling.
step() {
    label=$1
    shift
    say "$label"
    started=$(date +%s)
    if ! nice -n 19 "$@" >>"$LOG" 2>&1; then
        tail -n 40 "$LOG" >&2
        fail "failed: $label (whole log: $LOG)"
    fi
    TIMES="$TIMES
  $label: $(($(date +%s) - started)) s"
}
total_started=$(date +%s)

if [ ! -f src/.unpacked ]; then
    rm -rf src
    mkdir src
    for archive in "$QTBASE" "$QTSVG"; do
        step "unpack $(basename "$archive")" tar -xf "$archive" -C src
    done
    touch src/.unpacked
fi

# Kept in the prefix, not the work folder: the installed qt.toolchain.cmake loads it from here.
TOOLCHAIN="$PREFIX/mingw-w64-x86_64.cmake"
printf '%s\n' "$TOOLCHAIN_TEXT" >"$TOOLCHAIN"

# shellcheck disable=SC2086 # the options are meant to split into words
step "configure qtbase" cmake -S "src/qtbase-everywhere-src-$VERSION" -B qtbase -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_INSTALL_PREFIX="$PREFIX" $QTBASE_OPTIONS
step "build qtbase" cmake --build qtbase --parallel 2
step "install qtbase" cmake --install qtbase

# Against the installed qtbase, through its toolchain file (which loads ours and knows the host Qt).
step "configure qtsvg" cmake -S "src/qtsvg-everywhere-src-$VERSION" -B qtsvg -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$PREFIX/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_BUILD_TYPE=Release \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
step "build qtsvg" cmake --build qtsvg --parallel 2
step "install qtsvg" cmake --install qtsvg

# The log stays with the build it describes; the stamp comes last, so an interrupted run is redone.
mv "$LOG" "$PREFIX/build.log"
cd "$CACHE"
rm -rf "$WORK"
touch "$PREFIX/.complete"
# Builds under other keys are of no more use.
for other in "$CACHE/qt-$VERSION-mingw-static"*; do
    [ "$other" = "$PREFIX" ] || rm -rf "$other"
done
say "done in $(($(date +%s) - total_started)) s:$TIMES"
echo "$PREFIX"
