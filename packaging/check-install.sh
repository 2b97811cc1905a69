#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# check-install.sh BUILD_DIR SOURCE_DIR WORK_DIR
#
# Installs a built tree into a fresh prefix under WORK_DIR and checks that
# exactly the files a desktop needs arrive: the program, its manual page, its
# menu entry, its metadata, its changelog and the icon at every size, the 32
# and 64 pixel icons being the very grid the game draws its board with.
set -euo pipefail
build=$1 source=$2 work=$3
id=example.pelko.tictactoe

for tool in cmake file convert cmp appstreamcli; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done

rm -rf "${work:?}"
mkdir -p "$work"
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; exit 1; }

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

sizes=(16 22 24 32 48 64 128 256)
expected=(
    bin/tictactoe
    share/man/man6/tictactoe.6
    share/applications/$id.desktop
    share/metainfo/$id.metainfo.xml
    share/icons/hicolor/scalable/apps/$id.svg
    share/doc/tictactoe/changelog
)
for size in "${sizes[@]}"; do
    expected+=("share/icons/hicolor/${size}x$size/apps/$id.png")
done

# Nothing missing and nothing besides.
diff -u <(printf '%s\n' "${expected[@]}" | sort) \
    <(cd "$prefix" && find . -type f -printf '%P\n' | sort) ||
    fail "the installed files differ from the expected ones (- expected, + installed)"

[ -x "$prefix/bin/tictactoe" ] || fail "bin/tictactoe is not executable"
grep -qx "Exec=tictactoe" "$prefix/share/applications/$id.desktop" ||
    fail "the desktop entry does not start tictactoe"
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" ||
    fail "the desktop entry does not name the icon $id"

for size in "${sizes[@]}"; do
    png=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
    [ -f "$png" ] || continue
    file -b "$png" | grep -q "^PNG image data, $size x $size, 8-bit/color RGBA" ||
        fail "$png is not a $size x $size RGBA PNG: $(file -b "$png")"
done

# Compares the colours and alpha of every pixel.
same_pixels() { cmp -s <(convert "$1" -depth 8 rgba:-) <(convert "$2" -depth 8 rgba:-); }
icons=$prefix/share/icons/hicolor
same_pixels "$icons/32x32/apps/$id.png" "$source/pictures/grid.png" ||
    fail "the 32 pixel icon is not the grid of pictures/grid.png"
same_pixels "$icons/64x64/apps/$id.png" "$source/pictures/grid@2x.png" ||
    fail "the 64 pixel icon is not the grid of pictures/grid@2x.png"

# The desktop entry, the metadata and the icons, seen together as a software
# centre would see them.
if ! appstreamcli validate-tree --no-net "$prefix" >"$work/validate-tree.log" 2>&1 ||
    grep -qE '^[EW]: ' "$work/validate-tree.log"; then
    cat "$work/validate-tree.log"
    fail "appstreamcli validate-tree finds fault with the installed tree"
fi

[ "$failures" -eq 0 ] || exit 1
echo "all ${#expected[@]} files installed as expected"
