#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Zanfilo team
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what a distribution would check before taking a release of the last commit: every file
# says its licence (reuse lint), the manual pages format without a warning, the package builds
# to the same bytes twice, in clean trees in different folders, and lintian reports no error and
# no warning on it.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup-debian.sh
reuse lint --quiet || { reuse lint; exit 1; }
for page in packaging/zanfilo.6 packaging/zanfilo.it.6; do
    warnings=$(LC_ALL=C.UTF-8 man --warnings -l "$page" 2>&1 > /dev/null)
    [ -z "$warnings" ] || { echo "$page: $warnings" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
# Folder names of different lengths, so that a path leaking into the package shows.
for tree in a second-tree; do
    mkdir "$work/$tree"
    git archive HEAD | tar -x -C "$work/$tree"
    "$work/$tree/scripts/package.sh" build > "$work/$tree.path"
done
first=$(cat "$work/a.path")
second=$(cat "$work/second-tree.path")
if ! cmp "$first" "$second"; then
    echo "The two packages differ; diffoscope $first $second shows where." >&2
    exit 1
fi
lintian --fail-on error,warning "$first"
echo "release check passed: reuse, manual pages, reproducible package, lintian"
