#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Installs what is missing, builds with warnings as errors and runs every
# test: widget tests offscreen, the end-to-end tests in a private X server,
# packaging checks, the benchmark's smoke run and the format check. Then
# builds again with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# the window tests, random play and the end-to-end tests in that build.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh

ensure_packages "${build_packages[@]}" "${test_packages[@]}"
jobs=$(nproc)

cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DTICTACTOE_WERROR=ON >/dev/null
cmake --build build-test --parallel "$jobs"
ctest --test-dir build-test --output-on-failure --parallel "$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTICTACTOE_WERROR=ON -DTICTACTOE_SANITIZE=ON >/dev/null
cmake --build build-asan --parallel "$jobs"
ctest --test-dir build-asan --output-on-failure --parallel "$jobs" --label-regex sanitize
