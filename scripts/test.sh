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

# The presets dev and asan (CMakePresets.json) build in build-test and
# build-asan.
for preset in dev asan; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --parallel "$jobs"
    ctest --preset "$preset" --parallel "$jobs"
done
