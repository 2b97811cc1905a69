#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Installs what is missing, builds the game for release and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh

ensure_packages "${build_packages[@]}"
cmake --preset release >/dev/null
cmake --build --preset release --parallel "$(nproc)"
exec build-release/tictactoe
