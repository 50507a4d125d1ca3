#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Zanfilo team
# SPDX-License-Identifier: GPL-3.0-or-later
# Both setup programs the way a school's IT person runs them, under a Wine of their own: silent
# install, upgrade and uninstall, a folder chosen with /D=, a major upgrade of the MSI, and all of
# it while a child still has Zanfilo open (on an Xvfb display of the test's own).
#   setup_test.sh BUILD_DIR   (the Windows build: zanfilo-1.00-setup.exe, zanfilo-1.00.msi)
set -u
build=$(cd "$1" && pwd)
src=$(cd "$(dirname "$0")/../.." && pwd)
setup=$(ls "$build"/zanfilo-*-setup.exe)
version=${setup##*/zanfilo-}
version=${version%-setup.exe}
msi=$build/zanfilo-$version.msi
work=$build/setup-test
rm -rf "$work" && mkdir -p "$work/new" || exit 1
export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
c=$WINEPREFIX/drive_c
menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs"
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
failures=0 app= xvfb=
fail() { printf "FAIL: %s\n" "$*" >&2; failures=$((failures + 1)); }
trap '[ -z "$app" ] || kill "$app"; wineserver -k; [ -z "$xvfb" ] || kill "$xvfb"' EXIT
trap 'exit 1' HUP INT PIPE TERM

# Runs a Windows program and checks its exit code (Wine hands on only its low 8 bits).
expect() { want=$1; shift; wine "$@" > /dev/null 2>&1; got=$?; [ "$got" = "$want" ] || fail "$*: exit code $got, not $want"; }
same() { cmp -s "$1" "$2" || fail "$1 is not $3"; }
links() {  # present|absent MENU
    for l in Zanfilo "Zanfilo con un sensore" "Zanfilo con la voce"; do
        if [ -f "$2/$l.lnk" ]; then [ "$1" = present ] || fail "$2/$l.lnk left behind"
        else [ "$1" = absent ] || fail "$2/$l.lnk missing"; fi
    done
}
# The keys in "Apps and features" named Zanfilo.
entries() { wine reg query "$uninstall" /s 2>/dev/null | tr -d '\r' | awk '/^HKEY/ { k = $0 } /^ +DisplayName +REG_SZ +Zanfilo$/ { print k }'; }
installed() {  # FOLDER MENU KEY VERSION
    for f in zanfilo.exe COPYING.txt; do [ -f "$1/$f" ] || fail "$1/$f missing"; done
    links present "$2"
    values=$(wine reg query "$3" 2>/dev/null | tr -d '\r')
    for v in "DisplayName REG_SZ Zanfilo" "DisplayVersion REG_SZ $4" "Publisher REG_SZ The Zanfilo team" \
             "NoModify REG_DWORD 0x1" "NoRepair REG_DWORD 0x1"; do
        printf "%s\n" "$values" | tr -s ' ' | grep -qx " $v" || fail "$3: no $v"
    done
}
gone() { [ ! -e "$1" ] && ! wine reg query "$2" > /dev/null 2>&1; }
removed() {  # FOLDER MENU KEY
    gone "$1" "$3" || fail "$1 or $3 left behind"
    links absent "$2"
}
# The NSIS uninstaller returns at once and works from a copy of itself: wait for its end.
uninstalled() {  # FOLDER
    expect 0 "$1/uninstall.exe" /S
    for i in $(seq 120); do gone "$1" "$uninstall\\Zanfilo" && break; sleep 0.25; done
    removed "$1" "$menu" "$uninstall\\Zanfilo"
}
start_zanfilo() {
    wine "$1" > /dev/null 2>&1 & app=$!
    for i in $(seq 120); do xdotool search --onlyvisible --classname zanfilo.exe > /dev/null 2>&1 && return; sleep 0.25; done
    fail "$1 did not start"
}
stop_zanfilo() { kill "$app"; wait "$app" 2>/dev/null; app=; }

# A later version to upgrade to, 1.01, whose files differ from this build's.
exe=$build/packaging/windows/zanfilo.exe ico=$build/packaging/windows/zanfilo.ico
licence=$src/LICENSES/GPL-3.0-or-later.txt
{ cat "$exe"; echo 1.01; } > "$work/new/zanfilo.exe" && { cat "$licence"; echo 1.01; } > "$work/new/COPYING.txt"
makensis -V1 "-XSetCompressor /FINAL zlib" -DVERSION=1.01 -DOUTFILE="$work/new/setup.exe" -DEXE="$work/new/zanfilo.exe" \
    -DICON="$ico" -DLICENCE="$work/new/COPYING.txt" "$src/packaging/windows/zanfilo.nsi" || exit 1
# wixl takes the files it packs only by paths relative to where it runs.
(cd "$work/new" && ln -s "$ico" zanfilo.ico && wixl -a x64 -o zanfilo.msi -D Version=1.01 -D ProductCode="*" \
    -D Exe=zanfilo.exe -D Icon=zanfilo.ico -D Licence=COPYING.txt "$src/packaging/windows/zanfilo.wxs") || exit 1

Xvfb -displayfd 3 -screen 0 1024x768x24 3> "$work/display" > /dev/null 2>&1 & xvfb=$!
for i in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
wine wineboot --init > /dev/null 2>&1

# NSIS, into Program Files and away again.
program_files="$c/Program Files/Zanfilo"
expect 0 "$setup" /S
installed "$program_files" "$menu" "$uninstall\\Zanfilo" "$version"
uninstalled "$program_files"

# NSIS, into a folder of the school's choosing, where an upgrade must follow it.
school="$c/Scuola/Zanfilo"
expect 0 "$setup" /S /D=C:\\Scuola\\Zanfilo
installed "$school" "$menu" "$uninstall\\Zanfilo" "$version"
start_zanfilo 'C:\Scuola\Zanfilo\zanfilo.exe'
# Open, it stops both the upgrade and the uninstall (exit code 3) and nothing changes.
expect 3 "$work/new/setup.exe" /S
expect 3 "$school/uninstall.exe" /S _?=C:\\Scuola\\Zanfilo
installed "$school" "$menu" "$uninstall\\Zanfilo" "$version"
same "$school/zanfilo.exe" "$exe" "the old program"
same "$school/COPYING.txt" "$licence" "the old licence"
stop_zanfilo
expect 0 "$work/new/setup.exe" /S
installed "$school" "$menu" "$uninstall\\Zanfilo" 1.01
same "$school/zanfilo.exe" "$work/new/zanfilo.exe" "the new program"
[ ! -e "$program_files" ] || fail "the upgrade went to Program Files, not to the folder first chosen"
# Run in place (as tools do that want its exit code) it cannot remove itself, so the entry in
# "Apps and features" stays, to finish the job from there.
expect 2 "$school/uninstall.exe" /S _?=C:\\Scuola\\Zanfilo
wine reg query "$uninstall\\Zanfilo" > /dev/null 2>&1 || fail "the entry went, with uninstall.exe left behind"
uninstalled "$school"

# The MSI, for the whole machine. Wine's msi puts every ProgramMenuFolder in the user's own Start
# menu (where Windows, for a per-machine install, uses all users'), so its links are looked for there.
msi_menu="$c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
expect 0 msiexec /i "$msi" /qn
key=$(entries)
installed "$program_files" "$msi_menu" "$key" "$version"
[ -f "$c/windows/Installer/${key##*\\}/zanfilo.ico" ] || fail "no icon for Apps and features"
wine reg query 'HKLM\Software\Classes\Installer\Products' /s | tr -d '\r' | grep -q 'ProductName *REG_SZ *Zanfilo$' ||
    fail "the MSI is not installed for the whole machine"
# A major upgrade, with the program open: its file is replaced at the next restart, exit code 3010
# (194 through Wine), and one entry is left, of the later version.
start_zanfilo 'C:\Program Files\Zanfilo\zanfilo.exe'
expect 194 msiexec /i "$work/new/zanfilo.msi" /qn
same "$program_files/zanfilo.exe" "$exe" "the old program, still running"
stop_zanfilo
wine wineboot --restart > /dev/null 2>&1
same "$program_files/zanfilo.exe" "$work/new/zanfilo.exe" "the new program after a restart"
key=$(entries)
installed "$program_files" "$msi_menu" "$key" 1.01
expect 0 msiexec /x "${key##*\\}" /qn
removed "$program_files" "$msi_menu" "$key"
[ -z "$(entries)" ] || fail "Apps and features still lists: $(entries)"

[ "$failures" = 0 ] || { echo "setup test: $failures failed" >&2; exit 1; }
echo "setup test passed: $setup, $msi"
