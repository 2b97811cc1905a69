#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The icon's small sizes on a dark panel: the grid stays black and its
# outline light, so the icon does not vanish into the panel.
#
#   check-on-dark.sh ICON_PNG_FOLDER
set -euo pipefail

brightness() { # PNG X Y: 0 (black) to 255, over a dark panel
    convert "$1" -background '#202020' -flatten -colorspace gray \
        -format "%[fx:int(255 * p{$2,$3})]" info:
}

# size, a pixel on a vertical bar, a pixel of its outline (row between the
# horizontal bars)
while read -r size bar_x outline_x y; do
    png="$1/$size.png"
    bar=$(brightness "$png" "$bar_x" "$y")
    outline=$(brightness "$png" "$outline_x" "$y")
    [ "$bar" -lt 32 ] || { echo "FAIL: the grid at $size px is $bar bright" >&2; exit 1; }
    [ "$outline" -gt 200 ] || { echo "FAIL: the outline at $size px is $outline bright" >&2; exit 1; }
done <<'SIZES'
16 5 3 8
24 7 5 12
SIZES
echo "passed"
