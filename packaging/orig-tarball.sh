#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Writes the upstream tarball that the Debian source package is built from,
# tictactoe_VERSION.orig.tar.xz, into FOLDER (by default the checkout's
# parent folder, where dpkg-buildpackage looks for it): the files git
# tracks, edits included, with debian/ left out. Prints its path.
#
#   packaging/orig-tarball.sh [FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
folder=$(realpath "${1:-..}")
version=$(dpkg-parsechangelog -S Version)
version=${version%-*}
# The work tree as a commit of its own, when it has edits.
tree=$(git stash create)
tarball=$folder/tictactoe_$version.orig.tar.xz
git archive --format=tar --prefix="tictactoe-$version/" "${tree:-HEAD}" -- . ':(exclude)debian' |
    xz -T1 >"$tarball"
echo "$tarball"
