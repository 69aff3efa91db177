#!/usr/bin/env python3
"""Writes resources/vestaline.ico: the program's icon (main window, tray,
executable) at 16, 24, 32 and 48 pixels, 32 bits with alpha.

The picture: a blue rounded tile holding a white capital "A" with a lens
over its lower right corner, drawn from shapes with 4 x 4 supersampling so
that each size is rendered anew rather than scaled.

Run it from the repository root after changing the picture here.
"""
import math
import struct

TILE_TOP = (0x3C, 0x86, 0xD8)
TILE_BOTTOM = (0x1B, 0x4E, 0x93)
TILE_EDGE = (0x12, 0x37, 0x6A)
LETTER = (0xFF, 0xFF, 0xFF)
LENS_RIM = (0xF2, 0xB1, 0x34)
LENS_GLASS = (0xDD, 0xEE, 0xFF)


def inside_rounded(x, y, r):
    """Point in the unit tile [0.04, 0.96] with corner radius r."""
    lo, hi = 0.04, 0.96
    if x < lo or x > hi or y < lo or y > hi:
        return False
    cx = min(max(x, lo + r), hi - r)
    cy = min(max(y, lo + r), hi - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def inside_polygon(x, y, pts):
    inside = False
    j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def near_segment(x, y, a, b, half_width):
    ax, ay = a
    bx, by = b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    px, py = ax + t * dx, ay + t * dy
    return (x - px) ** 2 + (y - py) ** 2 <= half_width ** 2


# The letter: two legs and a bar, as one outline with its counter cut out.
A_OUTER = [(0.15, 0.80), (0.37, 0.16), (0.53, 0.16), (0.75, 0.80), (0.60, 0.80),
           (0.555, 0.66), (0.345, 0.66), (0.30, 0.80)]
A_COUNTER = [(0.38, 0.54), (0.45, 0.31), (0.52, 0.54)]
LENS_CENTRE = (0.66, 0.63)
LENS_RADIUS = 0.17
LENS_RIM_WIDTH = 0.055
HANDLE = ((0.78, 0.76), (0.90, 0.89))


def shade(x, y):
    """Colour and coverage (0 or 1) of one sample point."""
    if not inside_rounded(x, y, 0.2):
        return None
    edge = not inside_rounded(x, y, 0.2) or not (
        0.075 < x < 0.925 and 0.075 < y < 0.925 and inside_rounded((x - 0.5) * 1.07 + 0.5, (y - 0.5) * 1.07 + 0.5, 0.2))
    t = (y - 0.04) / 0.92
    colour = tuple(int(TILE_TOP[i] + (TILE_BOTTOM[i] - TILE_TOP[i]) * t) for i in range(3))
    if edge:
        colour = TILE_EDGE
    if inside_polygon(x, y, A_OUTER) and not inside_polygon(x, y, A_COUNTER):
        colour = LETTER
    d = math.hypot(x - LENS_CENTRE[0], y - LENS_CENTRE[1])
    if d <= LENS_RADIUS - LENS_RIM_WIDTH:
        # The glass lets the picture through, tinted light.
        colour = tuple((c + g * 2) // 3 for c, g in zip(colour, LENS_GLASS))
    elif d <= LENS_RADIUS:
        colour = LENS_RIM
    if near_segment(x, y, HANDLE[0], HANDLE[1], 0.05):
        colour = LENS_RIM
    return colour


def render(size):
    n = 4
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0]
            hits = 0
            for sy in range(n):
                for sx in range(n):
                    c = shade((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    if c is not None:
                        hits += 1
                        for i in range(3):
                            acc[i] += c[i]
            if hits:
                rgb = [a // hits for a in acc]
                row.append((rgb[2], rgb[1], rgb[0], hits * 255 // (n * n)))  # BGRA
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def dib(size):
    """An icon image: BITMAPINFOHEADER of double height, bottom-up BGRA rows,
    then the AND mask (all zero: the alpha channel decides)."""
    rows = render(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, size * size * 4, 0, 0, 0, 0)
    pixels = b''.join(bytes(c for px in row for c in px) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    return header + pixels + bytes(mask_stride * size)


def main():
    sizes = [16, 24, 32, 48]
    images = [dib(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, img in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    out += b''.join(images)
    with open('resources/vestaline.ico', 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
