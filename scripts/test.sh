#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Installs what is missing, builds with warnings as errors and runs every
# test: widget tests offscreen, the end-to-end test in a private X server,
# and the format check.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh

ensure_packages "${build_packages[@]}" "${test_packages[@]}"
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DTICTACTOE_WERROR=ON >/dev/null
cmake --build build-test --parallel "$(nproc)"
ctest --test-dir build-test --output-on-failure --parallel "$(nproc)"
