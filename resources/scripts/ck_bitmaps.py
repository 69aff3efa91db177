#!/usr/bin/env python3
"""Writes resources/ck_controls.rc: the built-in pictures of the slider and
the switch as 16-colour bitmap resources (type 2), their packed DIBs written
inline so that no binary file is needed to build them.

  CkW95HTB: the horizontal slider thumb, two 9 x 17 states side by side
      (normal, pressed or disabled), pointing down.
  CkW95HRL: the horizontal ruler, 10 x 8: a sunken groove whose two-pixel
      ends stay as they are when the slider stretches it.
  CkW95VTB: the vertical thumb, two 19 x 9 states, pointing right.
  CkW95VRL: the vertical ruler, 8 x 10.
  CkSwitchOFF, CkSwitchON: the switch, 32 x 48: a plate with a lever down
      and a dark lamp (off), or the lever up and a lit red lamp (on).

Every picture's bottom-left pixel is magenta: the controls draw that colour
transparent. Colours come from the standard 16-colour palette.

Run it from the repository root after changing a picture here.
"""
import struct

PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, MAROON, GREEN, NAVY, SILVER, GREY, RED, LIME, KEY, WHITE = 0, 1, 2, 4, 7, 8, 9, 10, 13, 15


class Picture:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[KEY] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def raised(self, x0, y0, x1, y1, face, light=WHITE, dark=BLACK, shade=GREY):
        """A 3-D raised box, inclusive corners."""
        self.fill(x0, y0, x1, y1, face)
        for x in range(x0, x1 + 1):
            self.set(x, y0, light)
            self.set(x, y1, dark)
            self.set(x, y1 - 1, shade) if x0 < x < x1 else None
        for y in range(y0, y1 + 1):
            self.set(x0, y, light)
            self.set(x1, y, dark)
            self.set(x1 - 1, y, shade) if y0 < y < y1 - 1 else None

    def paste(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                self.set(ox + x, oy + y, other.px[y][x])


def dib(pic):
    """Packed 4-bit DIB (bottom-up) with the 16-colour palette."""
    stride = ((pic.w + 1) // 2 + 3) & ~3
    data = bytearray(struct.pack("<IiiHHIIiiII", 40, pic.w, pic.h, 1, 4, 0, stride * pic.h, 0, 0, 16, 0))
    for r, g, b in PALETTE:
        data += bytes((b, g, r, 0))
    for row in reversed(pic.px):
        line = bytearray()
        for i in range(0, pic.w, 2):
            hi = row[i]
            lo = row[i + 1] if i + 1 < pic.w else 0
            line.append((hi << 4) | lo)
        line += bytes(stride - len(line))
        data += line
    return bytes(data)


def thumb_down(pressed, length=17):
    """9 x length: a raised body with a point at the bottom."""
    p = Picture(9, length)
    face = WHITE if pressed else SILVER
    body_bottom = length - 5
    p.fill(0, 0, 8, body_bottom, face)
    for x in range(9):
        p.set(x, 0, WHITE)
    for y in range(body_bottom + 1):
        p.set(0, y, WHITE)
        p.set(8, y, BLACK)
        if y > 0:
            p.set(7, y, GREY)
    # The point: rows below the body narrow by one pixel a side each row.
    for i in range(1, 5):
        y = body_bottom + i
        left, right = i, 8 - i
        p.fill(left, y, right, y, face)
        p.set(left, y, WHITE)
        p.set(right, y, BLACK)
        if right - 1 > left:
            p.set(right - 1, y, GREY)
    if pressed:
        # A dotted face marks the pressed or disabled thumb.
        for y in range(1, body_bottom):
            for x in range(1, 7):
                if (x + y) % 2 == 0:
                    p.set(x, y, SILVER)
    return p


def transpose(pic):
    """The picture turned so that a point at the bottom points right."""
    q = Picture(pic.h, pic.w)
    for y in range(pic.h):
        for x in range(pic.w):
            q.set(y, x, pic.px[y][x])
    return q


def two_states(make, turn=False, **size):
    a, b = make(False, **size), make(True, **size)
    if turn:
        a, b = transpose(a), transpose(b)
    p = Picture(a.w * 2, a.h)
    p.paste(a, 0, 0)
    p.paste(b, a.w, 0)
    p.set(0, p.h - 1, KEY)
    return p


def ruler_h():
    """10 x 8: the groove in rows 2..5, rounded at the ends."""
    p = Picture(10, 8)
    for x in range(10):
        p.set(x, 2, GREY)
        p.set(x, 3, BLACK)
        p.set(x, 4, SILVER)
        p.set(x, 5, WHITE)
    for y in (2, 5):
        p.set(0, y, KEY)
        p.set(9, y, KEY)
    p.set(0, 3, GREY)
    p.set(0, 4, GREY)
    p.set(9, 3, WHITE)
    p.set(9, 4, WHITE)
    return p


def ruler_v():
    h = ruler_h()
    return transpose(h)


def switch(on):
    p = Picture(32, 48)
    p.raised(0, 0, 31, 47, SILVER)
    # Rounded plate corners.
    for x, y in ((0, 0), (31, 0), (0, 47), (31, 47)):
        p.set(x, y, KEY)
    # The sunken slot the lever runs in.
    x0, y0, x1, y1 = 11, 5, 20, 33
    p.fill(x0, y0, x1, y1, BLACK)
    for x in range(x0, x1 + 1):
        p.set(x, y0, GREY)
        p.set(x, y1, WHITE)
    for y in range(y0, y1 + 1):
        p.set(x0, y, GREY)
        p.set(x1, y, WHITE)
    # The lever: up when on, down when off.
    ky = 8 if on else 21
    p.raised(8, ky, 23, ky + 9, SILVER)
    for gy in (ky + 3, ky + 5):
        for gx in range(11, 21):
            p.set(gx, gy, GREY)
            p.set(gx, gy + 1, WHITE)
    # The lamp below the slot.
    lamp = RED if on else MAROON
    cx, cy = 15.5, 40.5
    for y in range(36, 46):
        for x in range(10, 22):
            d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
            if d <= 4.2:
                p.set(x, y, lamp)
            elif d <= 5.2:
                p.set(x, y, GREY if (x < cx and y < cy) else WHITE)
    if on:
        p.set(14, 39, WHITE)
        p.set(15, 39, WHITE)
        p.set(14, 40, WHITE)
    return p


def words(data):
    if len(data) % 2:
        data += b"\0"
    vals = [struct.unpack_from("<H", data, i)[0] for i in range(0, len(data), 2)]
    lines = []
    for i in range(0, len(vals), 12):
        lines.append("  " + ", ".join("0x%04X" % v for v in vals[i:i + 12]))
    return ",\n".join(lines)


def main():
    pictures = [
        ("CkW95HTB", two_states(thumb_down)),
        ("CkW95HRL", ruler_h()),
        ("CkW95VTB", two_states(thumb_down, turn=True, length=19)),
        ("CkW95VRL", ruler_v()),
        ("CkSwitchOFF", switch(False)),
        ("CkSwitchON", switch(True)),
    ]
    with open("resources/ck_controls.rc", "w") as f:
        f.write("// Generated by resources/scripts/ck_bitmaps.py: the built-in pictures of\n")
        f.write("// the slider and the switch, as packed DIBs (resource type 2, bitmap).\n")
        for name, pic in pictures:
            f.write("\n%s 2\nBEGIN\n%s\nEND\n" % (name, words(dib(pic))))


if __name__ == "__main__":
    main()
