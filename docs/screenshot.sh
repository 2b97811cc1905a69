#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Takes the README's screenshot from the real program: a game played with
# real input in a private X server, captured with its window frame.
#
#   docs/screenshot.sh [BUILD_DIR]   (default build-release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-release}
work=$(mktemp -d)
. tests/e2e/xsession.sh

start_session
start_game "$build/tictactoe"
new_game "Ann" "Bob"
for n in 5 1 9 3; do click_cell "$n"; done
xdotool mousemove 600 600 # keep the pointer out of the picture

# The window with the frame that the window manager drew around it.
info=$(xwininfo -id "$main")
x=$(awk '/Absolute upper-left X/ { print $NF }' <<<"$info")
y=$(awk '/Absolute upper-left Y/ { print $NF }' <<<"$info")
read -r left right top bottom < <(xprop -id "$main" _NET_FRAME_EXTENTS | tr -d ',' | awk '{ print $3, $4, $5, $6 }')
width=$((249 + left + right)) height=$((231 + menu_height + top + bottom))
sleep 0.2 # the last repaint
import -window root -crop "${width}x${height}+$((x - left))+$((y - top))" +repage -strip docs/screenshot.png
echo "docs/screenshot.png: ${width} x ${height}"
