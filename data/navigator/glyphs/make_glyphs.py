#!/usr/bin/python3
"""Draws the record navigator's ten glyphs as PNG files (standard library only).

Each glyph is two 16x16 images side by side: the normal one and the disabled one (the
shape in grey with a white highlight below and to the right). Pixels outside the shape are
transparent, so the glyph sits on any button face. Run it from this folder to regenerate
dbn_first.png .. dbn_refresh.png.
"""
import math
import struct
import zlib

SIZE = 16
NAVY = (0, 0, 128)
GREEN = (0, 128, 0)
RED = (192, 0, 0)
TEAL = (0, 128, 128)
GREY = (128, 128, 128)
WHITE = (255, 255, 255)


def inside_polygon(px, py, points):
    """Even-odd rule at the point (px, py)."""
    inside = False
    n = len(points)
    for i in range(n):
        (x1, y1), (x2, y2) = points[i], points[(i + 1) % n]
        if (y1 > py) != (y2 > py):
            cross = x1 + (py - y1) * (x2 - x1) / (y2 - y1)
            if px < cross:
                inside = not inside
    return inside


def near_segment(px, py, a, b, reach):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / float(dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy)) <= reach


class Glyph:
    def __init__(self):
        self.pixels = {}

    def fill(self, test, colour):
        for y in range(SIZE):
            for x in range(SIZE):
                if test(x + 0.5, y + 0.5):
                    self.pixels[(x, y)] = colour

    def polygon(self, points, colour):
        self.fill(lambda x, y: inside_polygon(x, y, points), colour)

    def rect(self, left, top, right, bottom, colour):
        """Right and bottom exclusive."""
        self.fill(lambda x, y: left <= x < right and top <= y < bottom, colour)

    def stroke(self, points, reach, colour):
        segments = list(zip(points, points[1:]))
        self.fill(lambda x, y: any(near_segment(x, y, a, b, reach) for a, b in segments), colour)

    def disabled(self):
        out = Glyph()
        for (x, y) in self.pixels:
            if (x + 1, y + 1) not in self.pixels and x + 1 < SIZE and y + 1 < SIZE:
                out.pixels[(x + 1, y + 1)] = WHITE
        for p in self.pixels:
            out.pixels[p] = GREY
        return out


def arrow(g, tip_x, base_x):
    """A triangle pointing left or right, from its base at base_x to its tip at tip_x."""
    g.polygon([(tip_x, 8), (base_x, 2), (base_x, 14)], NAVY)


def first(g):
    g.rect(3, 2, 5, 14, NAVY)
    arrow(g, 5, 12)


def prior(g):
    arrow(g, 4, 11)


def next_(g):
    arrow(g, 12, 5)


def last(g):
    arrow(g, 11, 4)
    g.rect(11, 2, 13, 14, NAVY)


def insert(g):
    g.rect(3, 7, 13, 9, GREEN)
    g.rect(7, 3, 9, 13, GREEN)


def delete(g):
    g.rect(3, 7, 13, 9, RED)


def edit(g):
    g.polygon([(8, 3), (2, 12), (14, 12)], NAVY)


def post(g):
    g.stroke([(3.5, 8.5), (6.5, 11.5), (12.5, 4.5)], 1.1, GREEN)


def cancel(g):
    g.stroke([(4, 4), (12, 12)], 1.0, RED)
    g.stroke([(12, 4), (4, 12)], 1.0, RED)


def refresh(g):
    cx, cy, radius = 8.0, 8.5, 4.5

    def ring(x, y):
        angle = math.degrees(math.atan2(cy - y, x - cx)) % 360
        return abs(math.hypot(x - cx, y - cy) - radius) <= 1.0 and not 20 < angle < 80

    g.fill(ring, TEAL)
    g.polygon([(9.5, 1.5), (14.5, 4.5), (9.5, 7.5)], TEAL)


def png(width, height, rgba_rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(row) for row in rgba_rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def save(name, draw):
    normal = Glyph()
    draw(normal)
    images = [normal, normal.disabled()]
    rows = []
    for y in range(SIZE):
        row = []
        for image in images:
            for x in range(SIZE):
                colour = image.pixels.get((x, y))
                row += list(colour) + [255] if colour else [0, 0, 0, 0]
        rows.append(row)
    with open(name, "wb") as f:
        f.write(png(SIZE * len(images), SIZE, rows))


GLYPHS = [("first", first), ("prior", prior), ("next", next_), ("last", last), ("insert", insert),
          ("delete", delete), ("edit", edit), ("post", post), ("cancel", cancel), ("refresh", refresh)]

if __name__ == "__main__":
    for glyph_name, draw_fn in GLYPHS:
        save("dbn_%s.png" % glyph_name, draw_fn)
