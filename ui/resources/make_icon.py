#!/usr/bin/env python3
"""Draws the program's icon and writes it as a 48 x 48, 32-bit ICO with alpha.

    ui/resources/make_icon.py [OUTPUT]     (default: tolvane.ico beside this script)

The picture: a light-blue pocket calculator with a dark display and round keys,
one of them orange. Shapes are sampled 4 x 4 times per pixel, so their edges
are smooth and the alpha channel fades them into the background.
"""

import os
import struct
import sys

SIZE = 48
SAMPLES = 4  # per pixel and axis

BODY = (120, 190, 240)       # light blue
BODY_EDGE = (40, 110, 180)
DISPLAY = (25, 40, 55)
DIGITS = (90, 240, 240)
KEY = (245, 250, 255)
KEY_EDGE = (70, 120, 170)
ORANGE = (250, 140, 20)


def in_rounded_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def in_circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


KEY_ROWS, KEY_COLUMNS = 4, 4
KEY_RADIUS = 3.6
ORANGE_KEY = (3, 3)  # row, column: the "=" key at the bottom right


def key_centres():
    for row in range(KEY_ROWS):
        for column in range(KEY_COLUMNS):
            yield row, column, 12.5 + column * 7.7, 21.5 + row * 7.3


def colour_at(x, y):
    """The colour of the picture at a point, or None outside it. Later shapes lie on top."""
    if not in_rounded_rect(x, y, 5, 1, 43, 47, 5):
        return None
    colour = BODY_EDGE
    if in_rounded_rect(x, y, 6.5, 2.5, 41.5, 45.5, 4):
        colour = BODY
    if in_rounded_rect(x, y, 9, 5, 39, 16, 2):
        colour = DISPLAY
        # three digit bars on the display
        for left in (24, 29, 34):
            if left <= x <= left + 3 and 8 <= y <= 13:
                colour = DIGITS
    for row, column, cx, cy in key_centres():
        if in_circle(x, y, cx, cy, KEY_RADIUS):
            colour = KEY_EDGE
        if in_circle(x, y, cx, cy, KEY_RADIUS - 0.9):
            colour = ORANGE if (row, column) == ORANGE_KEY else KEY
    return colour


def render():
    """Rows of (b, g, r, a), top row first."""
    rows = []
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            total = [0, 0, 0]
            covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
                    if c is not None:
                        covered += 1
                        for i in range(3):
                            total[i] += c[i]
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                r, g, b = (round(t / covered) for t in total)
                row.append((b, g, r, round(255 * covered / SAMPLES ** 2)))
        rows.append(row)
    return rows


def ico_bytes(rows):
    """One BMP image: header with doubled height, BGRA rows bottom up, then the AND mask."""
    pixels = b"".join(bytes(p) for row in reversed(rows) for p in row)
    mask_row_bytes = ((SIZE + 31) // 32) * 4
    mask = b""
    for row in reversed(rows):
        bits = bytearray(mask_row_bytes)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0,
                         len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "tolvane.ico")
    with open(output, "wb") as f:
        f.write(ico_bytes(render()))


if __name__ == "__main__":
    main()
