#!/bin/bash
# SPDX-FileCopyrightText: 2026 The TicTacToe developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Redraws the game's pictures (grid, monogram, help, clickhere), each at
# 32x32 and as a 64x64 @2x variant, into the folder this script lives in.
# Developer tool only; the build just uses the checked-in PNGs.
#
# ImageMagick only rasterises glyphs into coverage masks; python3 does the
# layout and writes the PNGs itself, so reruns give byte-identical files.

set -euo pipefail

out_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
command -v convert >/dev/null || { echo "ImageMagick 'convert' is needed" >&2; exit 1; }

exec python3 - "$out_dir" <<'PYTHON'
import os
import struct
import subprocess
import sys
import zlib

OUT = sys.argv[1]
SERIF_BOLD = '/usr/share/fonts/truetype/liberation2/LiberationSerif-Bold.ttf'

BLACK = (0, 0, 0)
RED = (255, 0, 0)
PINK = (255, 128, 192)
BLUE = (0, 0, 255)


def write_png(name, pixels):
    """Writes rows of (r, g, b, a) tuples as a plain 8-bit RGBA PNG."""
    h, w = len(pixels), len(pixels[0])
    raw = b''.join(b'\0' + bytes(c for px in row for c in px) for row in pixels)

    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data
                + struct.pack('>I', zlib.crc32(kind + data)))

    png = (b'\x89PNG\r\n\x1a\n'
           + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0))
           + chunk(b'IDAT', zlib.compress(raw, 9))
           + chunk(b'IEND', b''))
    with open(os.path.join(OUT, name), 'wb') as f:
        f.write(png)


def canvas(size):
    return [[(0, 0, 0, 0)] * size for _ in range(size)]


def render(text, font, points, squeeze_to=None):
    """Ink of `text` as rows of 0..255 coverage, cropped to its bounding box."""
    cmd = ['convert', '-background', 'black', '-fill', 'white', '-font', font,
           '-pointsize', '%g' % points, 'label:' + text, '-trim', '+repage']
    if squeeze_to:
        # narrower than the font draws it, so a whole word fits the width
        cmd += ['-filter', 'box', '-resize', '%dx%d!' % squeeze_to]
    cmd += ['-colorspace', 'gray', '-depth', '8', 'pgm:-']
    data = subprocess.run(cmd, check=True, capture_output=True).stdout
    magic, w, h, maxval, body = data.split(maxsplit=4)
    w, h = int(w), int(h)
    return [list(body[y * w:(y + 1) * w]) for y in range(h)]


def fit(text, font, box_w, box_h, squeeze=False):
    """Renders `text` at the largest size whose ink fits into box_w x box_h.

    Glyphs are rasterised at the final size (never scaled up) so they stay
    crisp.  With squeeze, the height decides the size and a too-wide result
    is narrowed to box_w.
    """
    big = render(text, font, 100)
    scale = box_h / len(big)
    if not squeeze:
        scale = min(scale, box_w / len(big[0]))
    points = round(100 * scale * 2) / 2 + 2
    while points > 1:
        ink = render(text, font, points)
        h, w = len(ink), len(ink[0])
        if h <= box_h and (w <= box_w or squeeze):
            if w > box_w:
                ink = render(text, font, points, squeeze_to=(box_w, h))
            return ink
        points -= 0.5
    raise SystemExit('cannot fit %r into %dx%d' % (text, box_w, box_h))


def paint(img, ink, x, y, color):
    """Lays coverage `ink` over img with its top-left corner at (x, y)."""
    for dy, row in enumerate(ink):
        for dx, cover in enumerate(row):
            if not cover:
                continue
            r0, g0, b0, a0 = img[y + dy][x + dx]
            a = cover + a0 * (255 - cover) // 255
            mix = lambda new, old: (new * cover + old * a0 * (255 - cover) // 255) // a
            img[y + dy][x + dx] = (mix(color[0], r0), mix(color[1], g0),
                                   mix(color[2], b0), a)


def centred(img, ink, color, dx=0, dy=0):
    size = len(img)
    paint(img, ink, (size - len(ink[0])) // 2 + dx, (size - len(ink)) // 2 + dy, color)


# --- grid: two 4px bars each way at 1x, laid out on an 8-unit raster so the
# cells come out equal; @2x is the same drawing with every pixel doubled.
def grid(scale):
    img = canvas(32 * scale)
    on = (0, 0, 0, 255)
    for start in (8, 20):
        for i in range(start * scale, (start + 4) * scale):
            for j in range(1 * scale, 31 * scale):
                img[j][i] = on
                img[i][j] = on
    return img


# --- monogram: a bold serif P; the antialiased rim becomes solid pink so the
# letter gets a soft outline without any half-transparent pixels.
def monogram(size):
    margin = size // 16
    ink = fit('P', SERIF_BOLD, size - 2 * margin, size - 2 * margin)
    img = canvas(size)
    x0 = (size - len(ink[0])) // 2
    y0 = (size - len(ink)) // 2
    for y, row in enumerate(ink):
        for x, cover in enumerate(row):
            if cover >= 200:
                img[y0 + y][x0 + x] = RED + (255,)
            elif cover >= 32:
                img[y0 + y][x0 + x] = PINK + (255,)
    return img


# --- help: a big "h" down the left half, with the rest of the word tucked
# into its right half ("e" and "l" on top, "p" below).
def help_picture(size):
    u = size / 32
    img = canvas(size)
    # the font's h is wider than half the square at full height
    h = fit('h', SERIF_BOLD, int(17 * u), size, squeeze=True)
    paint(img, h, 0, 0, RED)
    e = fit('e', SERIF_BOLD, int(9 * u), int(10 * u))
    paint(img, e, int(15 * u), int(2 * u), RED)
    l = fit('l', SERIF_BOLD, int(6 * u), int(14 * u))
    paint(img, l, size - len(l[0]) - int(1 * u), 0, RED)
    p = fit('p', SERIF_BOLD, int(14 * u), int(16 * u))
    paint(img, p, size - len(p[0]), size - len(p), RED)
    return img


# --- clickhere: at 32px no font gives a readable five-letter word in 32
# columns, so the 1x version is hand-set; @2x is rendered from the font.
CLICK_HERE_1X = '''
................................
..####..###..............###....
.##..##..##...##..........##....
##....#..##...##..........##....
##.......##...............##....
##.......##...............##....
##.......##..###...####...##.###
##.......##...##..##..##..##.##.
##.......##...##..##......####..
##.......##...##..##......###...
##.......##...##..##......####..
##....#..##...##..##......##.##.
.##..##..##...##..##..##..##..##
..####..####.####..####..###.###
................................
................................
................................
................................
###..###......................##
.##..##.......................##
.##..##.......................##
.##..##.......................##
.##..##.......................##
.######...####..###.##..####..##
.######..##..##..###...##..##.##
.##..##..##..##..##....##..##.##
.##..##..######..##....######.##
.##..##..##......##....##.......
.##..##..##......##....##.......
.##..##..##..##..##....##..##.##
###..###..####..####....####..##
................................
'''


def click_here(size):
    img = canvas(size)
    if size == 32:
        rows = CLICK_HERE_1X.split()
        for y, row in enumerate(rows):
            for x, c in enumerate(row[:32]):
                if c == '#':
                    img[y][x] = BLUE + (255,)
        return img
    # one word per half; a little room at the edges so the hot spot at the
    # top-left corner stays next to the "C"
    click = fit('Click', SERIF_BOLD, size - 2, size // 2 - 4, squeeze=True)
    paint(img, click, 1, 2, BLUE)
    here = fit('Here!', SERIF_BOLD, size - 2, size // 2 - 4, squeeze=True)
    paint(img, here, 1, size // 2 + 2, BLUE)
    return img


for suffix, scale in (('', 1), ('@2x', 2)):
    write_png('grid%s.png' % suffix, grid(scale))
    write_png('monogram%s.png' % suffix, monogram(32 * scale))
    write_png('help%s.png' % suffix, help_picture(32 * scale))
    write_png('clickhere%s.png' % suffix, click_here(32 * scale))
PYTHON
