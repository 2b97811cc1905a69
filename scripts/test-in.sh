#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs the test command, scripts/test.sh, in a pristine root of the Debian
# release given (default trixie), as on a new machine: the root has only
# what mmdebstrap puts there, and the test command installs the rest.
# Needs root.
#
#   scripts/test-in.sh [RELEASE]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/root.sh

run_in_root "${1:-trixie}" scripts/test.sh
