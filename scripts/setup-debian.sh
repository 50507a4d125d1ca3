#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Zanfilo team
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that building, running and testing need, and any named as
# arguments. Runs apt-get only when something is missing, so a prepared machine starts at once.
set -eu

PACKAGES="build-essential cmake pkg-config
qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
fonts-liberation2 fontconfig
xvfb xdotool x11-utils x11-xkb-utils
openbox wmctrl
sway grim wtype qt6-wayland libwayland-dev
libspeechd-dev
dbus-daemon dbus-x11 at-spi2-core libglib2.0-bin python3-gi gir1.2-atspi-2.0
desktop-file-utils appstream strace file
clang libclang-rt-14-dev clang-format clang-tidy
reuse lintian man-db groff-base git gzip $*"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ]; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    echo "Installing:$missing"
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
fi
