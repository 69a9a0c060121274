#!/usr/bin/env python3
"""Draws the plug-in's icon strip res/IconPalette.tif (Python 3 standard library only).

The strip is 320 x 192 RGBA pixels cut into 32 x 32 cells, numbered row by row from the top
left. Icon 0 is the command's icon; icons 1 to 5 are the track status icons: 1 none, 2 failed,
3 reduced, 4 unchanged, 5 busy. The other cells stay transparent.

Rebuild:  python3 tools/make_icon_palette.py [OUTPUT]   (default: res/IconPalette.tif)
Preview:  python3 tools/make_icon_palette.py --png /tmp/IconPalette.png
Every shape is a function of the pixel position, sampled 4 x 4 times per pixel for smooth
edges, so the output is the same on every run.
"""

import math
import os
import struct
import sys
import zlib

WIDTH, HEIGHT, CELL, COLUMNS = 320, 192, 32, 10
SUPERSAMPLE = 4


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_out, r_in):
    return lambda x, y: r_in * r_in <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out


def segment(x0, y0, x1, y1, half_width):
    """A stroke from (x0, y0) to (x1, y1) with round ends."""
    dx, dy = x1 - x0, y1 - y0
    length_sq = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length_sq))
        px, py = x0 + t * dx - x, y0 + t * dy - y
        return px * px + py * py <= half_width * half_width

    return inside


def rounded_square(x0, y0, x1, y1, r):
    def inside(x, y):
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    return inside


def wave(x, y):
    """The command's picture: a dense curve thinned to a few keys."""
    if not 5.0 <= x <= 27.0:
        return False
    curve_y = 16.0 - 7.0 * math.sin((x - 5.0) / 22.0 * 2.0 * math.pi)
    return abs(y - curve_y) <= 1.3


# Each icon is a list of layers (shape, RGBA colour), painted in order.
WHITE = (255, 255, 255, 255)
ICONS = {
    0: [(rounded_square(2, 2, 30, 30, 6), (40, 70, 140, 255)),
        (wave, (235, 240, 255, 255)),
        (disc(5.5, 16.0, 2.6), (255, 190, 60, 255)),
        (disc(10.5, 9.0, 2.6), (255, 190, 60, 255)),
        (disc(21.5, 23.0, 2.6), (255, 190, 60, 255)),
        (disc(26.5, 16.0, 2.6), (255, 190, 60, 255))],
    1: [(ring(16, 16, 12, 9), (150, 150, 150, 255))],
    2: [(disc(16, 16, 13), (200, 40, 40, 255)),
        (segment(10, 10, 22, 22, 2.2), WHITE),
        (segment(22, 10, 10, 22, 2.2), WHITE)],
    3: [(disc(16, 16, 13), (40, 150, 60, 255)),
        (segment(9, 16.5, 14, 21.5, 2.2), WHITE),
        (segment(14, 21.5, 23, 10.5, 2.2), WHITE)],
    4: [(disc(16, 16, 13), (50, 110, 200, 255)),
        (segment(10, 12.5, 22, 12.5, 2.0), WHITE),
        (segment(10, 19.5, 22, 19.5, 2.0), WHITE)],
    5: [(disc(16, 16, 13), (230, 140, 20, 255)),
        (ring(16, 16, 10, 8.2), WHITE),
        (segment(16, 16, 16, 9.5, 1.4), WHITE),
        (segment(16, 16, 20.5, 18.5, 1.4), WHITE)],
}


def over(dst, src, coverage):
    """Paints src with the given coverage over dst (straight alpha)."""
    sa = src[3] / 255.0 * coverage
    da = dst[3] / 255.0
    out_a = sa + da * (1.0 - sa)
    if out_a <= 0.0:
        return (0, 0, 0, 0)
    rgb = [(src[i] * sa + dst[i] * da * (1.0 - sa)) / out_a for i in range(3)]
    return tuple(int(round(c)) for c in rgb) + (int(round(out_a * 255.0)),)


def draw_cell(layers):
    pixels = [[(0, 0, 0, 0)] * CELL for _ in range(CELL)]
    offsets = [(i + 0.5) / SUPERSAMPLE for i in range(SUPERSAMPLE)]
    for shape, colour in layers:
        for y in range(CELL):
            for x in range(CELL):
                hits = sum(shape(x + ox, y + oy) for oy in offsets for ox in offsets)
                if hits:
                    pixels[y][x] = over(pixels[y][x], colour, hits / SUPERSAMPLE ** 2)
    return pixels


def draw_strip():
    rows = bytearray(WIDTH * HEIGHT * 4)
    for index, layers in ICONS.items():
        cell = draw_cell(layers)
        left, top = (index % COLUMNS) * CELL, (index // COLUMNS) * CELL
        for y in range(CELL):
            for x in range(CELL):
                at = ((top + y) * WIDTH + left + x) * 4
                rows[at:at + 4] = bytes(cell[y][x])
    return bytes(rows)


def tiff_bytes(rgba):
    """A baseline little-endian TIFF: one uncompressed strip, RGBA with unassociated alpha."""
    entries = 11
    ifd_offset = 8
    bits_offset = ifd_offset + 2 + entries * 12 + 4
    data_offset = bits_offset + 8
    tags = [
        (256, 3, 1, WIDTH),           # ImageWidth
        (257, 3, 1, HEIGHT),          # ImageLength
        (258, 3, 4, bits_offset),     # BitsPerSample 8,8,8,8
        (259, 3, 1, 1),               # Compression: none
        (262, 3, 1, 2),               # PhotometricInterpretation: RGB
        (273, 4, 1, data_offset),     # StripOffsets
        (277, 3, 1, 4),               # SamplesPerPixel
        (278, 3, 1, HEIGHT),          # RowsPerStrip
        (279, 4, 1, len(rgba)),       # StripByteCounts
        (284, 3, 1, 1),               # PlanarConfiguration: chunky
        (338, 3, 1, 2),               # ExtraSamples: unassociated alpha
    ]
    out = bytearray(b"II*\x00" + struct.pack("<I", ifd_offset))
    out += struct.pack("<H", entries)
    for tag, kind, count, value in tags:
        packed = struct.pack("<HI", value, 0)[:4] if kind == 3 else struct.pack("<I", value)
        out += struct.pack("<HHI", tag, kind, count) + packed
    out += struct.pack("<I", 0)
    out += struct.pack("<4H", 8, 8, 8, 8)
    return bytes(out) + rgba


def png_bytes(rgba):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    raw = b"".join(b"\x00" + rgba[y * WIDTH * 4:(y + 1) * WIDTH * 4] for y in range(HEIGHT))
    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def main(argv):
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    if len(argv) == 3 and argv[1] == "--png":
        path, encode = argv[2], png_bytes
    elif len(argv) <= 2:
        path = argv[1] if len(argv) == 2 else os.path.join(root, "res", "IconPalette.tif")
        encode = tiff_bytes
    else:
        sys.stderr.write("usage: make_icon_palette.py [OUTPUT.tif] | --png OUTPUT.png\n")
        return 2
    with open(path, "wb") as out:
        out.write(encode(draw_strip()))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
