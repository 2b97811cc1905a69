#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds and checks the Debian source package as Debian checks an upload
# (packaging/check-deb.sh with a build user: sbuild in unshare mode,
# lintian, blhc, autopkgtest in a testbed of its own, piuparts, and our own
# checks), with the tools of the release given, in a pristine root of it:
# by default unstable, where uploads are built. Needs root.
#
#   scripts/package-in.sh [RELEASE]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/root.sh

# sbuild and autopkgtest run as a user of their own, whose subordinate ids
# their user namespaces map; both are made in the root alone, which lets
# them make user namespaces.
# shellcheck disable=SC2016 # expanded in the root
run_in_root "${1:-sid}" '. scripts/packages.sh
ensure_packages "${debian_check_packages[@]}"
useradd --create-home builder
echo builder:100000:65536 | tee /etc/subuid >/etc/subgid
version=$(sed -n "s/^project(tictactoe VERSION \([^ ]*\).*/\1/p" CMakeLists.txt)
packaging/check-deb.sh /src /home/builder/deb-check "$version" builder' user-namespaces
