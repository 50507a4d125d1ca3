#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Zanfilo team
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the program the two ways a user gets it (cmake --install, and the Debian package),
# validates the desktop metadata, checks the package's contents and dependencies, and starts the
# packaged executable under Xvfb through the smoke test.
#   package_test.sh BUILD_DIR SMOKE_TEST
set -eu
build=$1
smoke=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
app=it.zanfilo.Zanfilo
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/prefix" > /dev/null
desktop-file-validate "$work/prefix/share/applications/$app.desktop" || fail "desktop file"
appstreamcli validate --no-net "$work/prefix/share/metainfo/$app.metainfo.xml" || fail "metainfo"
grep -q '<release version="1.00"' "$work/prefix/share/metainfo/$app.metainfo.xml" || fail "metainfo version"
[ -f "$work/prefix/share/icons/hicolor/scalable/apps/$app.svg" ] || fail "scalable icon missing"
for size in 16 32 48 64 128 256; do
    png="$work/prefix/share/icons/hicolor/${size}x${size}/apps/$app.png"
    file "$png" | grep -q "PNG image data, $size x $size" || fail "icon $size: $(file "$png")"
done

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" > cpack.log 2>&1) ||
    { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/deb/zanfilo_1.00_*.deb)
[ "$(dpkg-deb -f "$deb" Version)" = "1.00" ] || fail "package version"
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libqt6gui6 libqt6core6 libqt6svg6 qt6-qpa-plugins fonts-liberation2 libspeechd2; do
    echo "$depends" | grep -q "$dep" || fail "Depends lacks $dep: $depends"
done
[ "$(dpkg-deb -f "$deb" Recommends)" = "qt6-wayland, speech-dispatcher, speech-dispatcher-espeak-ng" ] ||
    fail "Recommends: $(dpkg-deb -f "$deb" Recommends)"
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/zanfilo ./usr/libexec/zanfilo/zanfilo-voce ./usr/share/applications/$app.desktop ./usr/share/metainfo/$app.metainfo.xml \
            ./usr/share/icons/hicolor/48x48/apps/$app.png ./usr/share/man/man6/zanfilo.6.gz \
            ./usr/share/man/it/man6/zanfilo.6.gz ./usr/share/doc/zanfilo/copyright \
            ./usr/share/doc/zanfilo/changelog.gz; do
    echo "$contents" | grep -q " $path\$" || fail "package lacks $path"
done

dpkg-deb -x "$deb" "$work/root"
# The addresses the package gives are ours or reserved: no domain the project does not own.
grep -rIl 'zanfilo\.it\b' "$work/root" "$work/prefix" && fail "an address on a domain the project does not own"
[ "$(dpkg-deb -f "$deb" Maintainer)" = "The Zanfilo team <team@zanfilo.invalid>" ] || fail "maintainer"
grep -q '^License: CC-BY-SA-4.0$' "$work/root/usr/share/doc/zanfilo/copyright" || fail "copyright"
ZANFILO_EXECUTABLE="$work/root/usr/bin/zanfilo" QT_QPA_PLATFORM=offscreen "$smoke" || fail "packaged program"
echo "package test passed: $deb"
