#!/usr/bin/env python3
"""Draws the icons of the configuration window: the program icon, the page buttons, the
scroll arrows, the expand and collapse button and the minimise button.

Run it from anywhere; it rewrites the PNG files beside itself (only those listed in ICONS):

    python3 resources/station/icons/draw_button_icons.py

Standard library only (zlib and struct write the PNG files), so the output is the same on
every machine. Each picture is a few shapes given as signed distance functions (negative
inside), painted in order, each with a dark outline. Every pixel is sampled 4 x 4 times:
the colours of the covered samples are averaged, and a pixel is opaque when at least half
of its samples are covered, else fully transparent. The icons carry only the alpha values
0 and 255, like the other icons of the program, because the button code builds its grey
rest icons and its masks from whole pixels.
"""

import math
import os
import struct
import zlib

# [SECTION] Palette: one set of colours for every icon, so the row of buttons looks as one.

OUTLINE = (0x1C, 0x24, 0x33)
WHITE = (0xFF, 0xFF, 0xFF)
PAPER = (0xF4, 0xF6, 0xF9)
LIGHT = (0xC9, 0xD3, 0xDE)
STEEL = (0x7B, 0x8A, 0x9C)
BLUE = (0x2F, 0x7F, 0xD8)
SKY = (0x9C, 0xCB, 0xF2)
GREEN = (0x3B, 0xA8, 0x5A)
ORANGE = (0xF0, 0x95, 0x2B)
RED = (0xD6, 0x45, 0x3A)
GOLD = (0xF2, 0xC1, 0x3D)
PURPLE = (0x87, 0x5B, 0xC8)
TEAL = (0x22, 0xA0, 0x9A)

SAMPLES = 4

# [SECTION] Shapes: signed distance functions of (x, y) in pixels, the origin at the image's
# top-left corner (pixel (0, 0) covers 0 <= x < 1, 0 <= y < 1).


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def box(x0, y0, x1, y1, radius=0.0):
    """A rectangle from (x0, y0) to (x1, y1) with rounded corners."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius

    return d


def segment(ax, ay, bx, by, width):
    """A stroke of `width` from a to b with round ends."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def d(x, y):
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - width / 2

    return d


def polygon(points):
    """A closed polygon (even-odd inside), any winding."""

    def d(x, y):
        best = float("inf")
        inside = False
        n = len(points)
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            best = min(best, segment(ax, ay, bx, by, 0)(x, y))
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                inside = not inside
        return -best if inside else best

    return d


def arc(cx, cy, r, width, start, end):
    """A stroke along the circle (cx, cy, r) from angle `start` to `end` (degrees,
    counter-clockwise from the +x axis as seen on screen, y growing downwards), round ends."""
    a0, a1 = math.radians(start), math.radians(end)
    span = (a1 - a0) % (2 * math.pi)
    ends = [(cx + r * math.cos(a), cy - r * math.sin(a)) for a in (a0, a1)]

    def d(x, y):
        angle = math.atan2(cy - y, x - cx)
        if (angle - a0) % (2 * math.pi) <= span:
            return abs(math.hypot(x - cx, y - cy) - r) - width / 2
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - width / 2

    return d


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def minus(shape, *holes):
    return lambda x, y: max([shape(x, y)] + [-h(x, y) for h in holes])


def intersect(*shapes):
    return lambda x, y: max(s(x, y) for s in shapes)


# [SECTION] Painting


class Layer:
    """A filled shape; `outline` pixels of OUTLINE around it (0: none)."""

    def __init__(self, shape, colour, outline=1.0):
        self.shape = shape
        self.colour = colour
        self.outline = outline


def sample(layers, x, y):
    colour = None
    for layer in layers:
        d = layer.shape(x, y)
        if d <= 0:
            colour = layer.colour
        elif d <= layer.outline:
            colour = OUTLINE
    return colour


def render(size, layers):
    """Rows of (r, g, b, a) tuples."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            covered = []
            for j in range(SAMPLES):
                for i in range(SAMPLES):
                    c = sample(layers, px + (i + 0.5) / SAMPLES, py + (j + 0.5) / SAMPLES)
                    if c is not None:
                        covered.append(c)
            if len(covered) * 2 < SAMPLES * SAMPLES:
                row.append((0, 0, 0, 0))
            else:
                n = len(covered)
                row.append(tuple(round(sum(c[k] for c in covered) / n) for k in range(3)) + (255,))
        rows.append(row)
    return rows


def png_bytes(rows):
    """An 8-bit RGBA PNG, no interlace, filter 0 on every row."""
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\x00" + bytes(v for pixel in row for v in pixel) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


# [SECTION] The pictures. Page buttons are 32 x 32; arrows, expand, collapse and minimise 16 x 16.


def wireless_arcs(cx, cy, radii, width, colour, outline=1.0):
    """A dot and arcs opening upwards from it: the sign of a wireless network."""
    layers = [Layer(circle(cx, cy, width * 0.75), colour, outline)]
    for r in radii:
        layers.append(Layer(arc(cx, cy, r, width, 45, 135), colour, outline))
    return layers


def program_icon():
    # A blue tile with a white wireless sign: bold enough to read at 16 pixels too.
    return [Layer(box(1.5, 1.5, 30.5, 30.5, 6), BLUE, 1.2)] + wireless_arcs(16, 24, (8, 15), 3.6, WHITE, 0)


def profile_icon():
    # A card of the profile list with a person on it.
    card = Layer(box(4.5, 3.5, 27.5, 28.5, 2.5), PAPER)
    head = Layer(circle(16, 12, 4.2), BLUE)
    body = Layer(intersect(circle(16, 25.5, 8.5), box(5, 17, 27, 25)), BLUE)
    return [card, head, body]


def survey_icon():
    # A magnifying glass over a wireless sign: look for networks.
    lens = Layer(circle(13, 13, 9.5), SKY, 1.2)
    rim = Layer(minus(circle(13, 13, 10), circle(13, 13, 7.6)), STEEL, 1.0)
    handle = Layer(segment(20.5, 20.5, 28, 28, 4.6), ORANGE, 1.2)
    return [handle, lens] + wireless_arcs(13, 17, (5.5,), 2.2, BLUE, 0) + [rim]


def gear_shape(cx, cy, outer, inner, teeth, tooth_width):
    spokes = []
    for k in range(teeth):
        a = 2 * math.pi * k / teeth
        spokes.append(segment(cx, cy, cx + outer * math.cos(a), cy + outer * math.sin(a), tooth_width))
    return union(circle(cx, cy, inner), intersect(union(*spokes), circle(cx, cy, outer)))


def advanced_icon():
    gear = gear_shape(16, 16, 13.5, 10, 8, 5.2)
    return [Layer(minus(gear, circle(16, 16, 4.2)), STEEL, 1.2), Layer(minus(circle(16, 16, 6.6), circle(16, 16, 4.2)), LIGHT, 0)]


def statistics_icon():
    bars = [Layer(box(5, 17, 11, 28, 0.5), GREEN), Layer(box(13, 9, 19, 28, 0.5), BLUE), Layer(box(21, 4, 27, 28, 0.5), ORANGE)]
    return bars + [Layer(box(2, 27.5, 30, 29.5), OUTLINE, 0)]


def wmm_icon():
    # Multimedia: a play sign on a purple disc.
    return [Layer(circle(16, 16, 13.5), PURPLE, 1.2), Layer(polygon([(12, 9), (12, 23), (23.5, 16)]), WHITE, 0)]


def wps_icon():
    # A padlock: protected set-up at the push of a button.
    shackle = Layer(minus(arc(16, 13, 6.5, 3.4, 0, 180), box(0, 13, 32, 32)), STEEL, 1.0)
    legs = Layer(union(box(7.8, 12, 11.2, 16), box(20.8, 12, 24.2, 16)), STEEL, 1.0)
    body = Layer(box(5, 15, 27, 29, 2.5), GOLD, 1.2)
    keyhole = Layer(union(circle(16, 20.5, 2.3), polygon([(14.8, 21), (17.2, 21), (18, 26), (14, 26)])), OUTLINE, 0)
    return [shackle, legs, body, keyhole]


def sso_icon():
    # A key: one sign-on opens the way.
    ring = Layer(minus(circle(10, 16, 7.5), circle(8.5, 16, 2.6)), GOLD, 1.2)
    blade = Layer(union(box(15, 14, 29, 18.2, 1), box(22, 17, 25, 23, 0.5), box(26, 17, 29, 21.5, 0.5)), GOLD, 1.2)
    return [blade, ring]


def ccx_icon():
    # A shield with a check mark: the extensions this adapter is certified for.
    shield = Layer(polygon([(16, 3), (27, 7), (26, 18), (16, 29.5), (6, 18), (5, 7)]), TEAL, 1.2)
    check = Layer(union(segment(10.5, 16.5, 14.5, 20.5, 3.4), segment(14.5, 20.5, 22, 11.5, 3.4)), WHITE, 0)
    return [shield, check]


def n_icon():
    # The letter n of the high-throughput mode on an orange tile.
    tile = Layer(box(2.5, 2.5, 29.5, 29.5, 5), ORANGE, 1.2)
    left = box(8.5, 10, 13, 25)
    arch = minus(intersect(circle(16.5, 17.5, 8), box(8.5, 9.5, 25, 17.5)), circle(16.5, 17.5, 3.6))
    right = box(20.5, 16.5, 25, 25)
    return [tile, Layer(union(left, arch, right), WHITE, 0)]


def power_shape(cx, cy):
    return union(arc(cx, cy, 9.5, 3.8, 120, 420), segment(cx, cy - 12, cx, cy - 2, 3.8))


def radio_icon(colour):
    return [Layer(circle(16, 16, 14.5), colour, 1.2), Layer(power_shape(16, 17.5), WHITE, 0)]


def about_icon():
    disc = Layer(circle(16, 16, 13.5), BLUE, 1.2)
    letter = Layer(union(circle(16, 9.5, 2.3), box(14, 13.5, 18, 24, 0.8), box(12.5, 13.5, 17, 15.5), box(12.5, 22, 19.5, 24.5, 0.5)), WHITE, 0)
    return [disc, letter]


def help_icon():
    disc = Layer(circle(16, 16, 13.5), PURPLE, 1.2)
    hook = arc(16, 12, 5, 3.6, -60, 180)
    stem = segment(18.5, 16.4, 16, 18.5, 3.6)
    mark = Layer(union(hook, stem, segment(16, 18.5, 16, 19.5, 3.6), circle(16, 24.2, 2.2)), WHITE, 0)
    return [disc, mark]


def hosted_icon():
    # A laptop that lends its connection: screen, keyboard and a wireless sign over it.
    screen = Layer(box(6, 14, 26, 27, 1), STEEL, 1.0)
    glass = Layer(box(8, 16, 24, 25), SKY, 0)
    base = Layer(polygon([(3, 27), (29, 27), (30.5, 30), (1.5, 30)]), LIGHT, 1.0)
    return [screen, glass, base] + wireless_arcs(16, 11, (5, 9.5), 2.6, GREEN, 1.0)


def arrow_icon(direction):
    # A solid triangle, pointing left (-1) or right (+1).
    tip, back = (2.5, 12.5) if direction < 0 else (13.5, 3.5)
    return [Layer(polygon([(tip, 8), (back, 2.5), (back, 13.5)]), WHITE, 1.2)]


def chevrons_icon(down):
    # Two chevrons: more (down) or less (up).
    def chevron(y):
        if down:
            return union(segment(3.5, y, 8, y + 4, 2.4), segment(8, y + 4, 12.5, y, 2.4))
        return union(segment(3.5, y + 4, 8, y, 2.4), segment(8, y, 12.5, y + 4, 2.4))

    return [Layer(union(chevron(2.8), chevron(8.2)), WHITE, 1.2)]


def minimise_icon():
    return [Layer(box(3, 10.5, 13, 13.5, 0.5), WHITE, 1.2)]


# (file name, size, layers); the ids that use each file are in ButtonIcons.res.
ICONS = [
    ("program.png", 32, program_icon()),
    ("page_profile.png", 32, profile_icon()),
    ("page_survey.png", 32, survey_icon()),
    ("page_advanced.png", 32, advanced_icon()),
    ("page_statistics.png", 32, statistics_icon()),
    ("page_wmm.png", 32, wmm_icon()),
    ("page_wps.png", 32, wps_icon()),
    ("page_sso.png", 32, sso_icon()),
    ("page_ccx.png", 32, ccx_icon()),
    ("page_80211n.png", 32, n_icon()),
    ("radio_on.png", 32, radio_icon(GREEN)),
    ("radio_off.png", 32, radio_icon(RED)),
    ("page_about.png", 32, about_icon()),
    ("page_help.png", 32, help_icon()),
    ("page_hosted.png", 32, hosted_icon()),
    ("arrow_left.png", 16, arrow_icon(-1)),
    ("arrow_right.png", 16, arrow_icon(+1)),
    ("expand_more.png", 16, chevrons_icon(down=True)),
    ("collapse_less.png", 16, chevrons_icon(down=False)),
    ("minimise.png", 16, minimise_icon()),
]


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    for name, size, layers in ICONS:
        with open(os.path.join(folder, name), "wb") as f:
            f.write(png_bytes(render(size, layers)))


if __name__ == "__main__":
    main()
