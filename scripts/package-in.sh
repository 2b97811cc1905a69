#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds and checks the Debian source and binary packages, as the tests do
# (packaging/check-deb.sh: lintian --pedantic, hardening, the autopkgtest,
# a second build compared byte for byte), in a pristine root of the
# release given: by default unstable, where uploads are built. Needs root.
#
#   scripts/package-in.sh [RELEASE]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/root.sh

release=${1:-sid}
make_root "$release"
# Unstable's index may be past its Valid-Until date while the mirror waits
# for the next push: accepted in this root alone.
valid_until='Acquire::Check-Valid-Until "false";'
[ "$release" != sid ] || in_root "echo '$valid_until' >/etc/apt/apt.conf.d/99tictactoe-sid"
# shellcheck disable=SC2016 # expanded in the root
in_root '. scripts/packages.sh
ensure_packages "${package_packages[@]}"
apt_waiting build-dep -y -qq --no-install-recommends ./ >/dev/null
version=$(sed -n "s/^project(tictactoe VERSION \([^ ]*\).*/\1/p" CMakeLists.txt)
packaging/check-deb.sh /src /tmp/deb-check "$version"'
