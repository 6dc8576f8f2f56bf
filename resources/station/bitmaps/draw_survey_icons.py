#!/usr/bin/env python3
"""Draws bitmap 258, the image strip of the site survey's network list (and of the profile and
WPS lists): eleven 16 x 16 images side by side on white, which the lists take as their mask
colour, so no drawn pixel is pure white.

    python3 resources/station/bitmaps/draw_survey_icons.py

Standard library only, so the output is the same on every machine. Images, by index:
0 ad hoc, 1 infrastructure, 2 "a", 3 "b", 4 "g", 5 secured, 6 connected, 7 tried but not
connected, 8 WPS, 9 "n", 10 WAPI.
"""

import os
import struct
import zlib

SIZE = 16
MASK = (0xFF, 0xFF, 0xFF)
INK = (0x1C, 0x24, 0x33)
PAPER = (0xF4, 0xF6, 0xF9)
BLUE = (0x2F, 0x7F, 0xD8)
GREEN = (0x3B, 0xA8, 0x5A)
ORANGE = (0xF0, 0x95, 0x2B)
RED = (0xD6, 0x45, 0x3A)
GOLD = (0xF2, 0xC1, 0x3D)
STEEL = (0x7B, 0x8A, 0x9C)
PURPLE = (0x87, 0x5B, 0xC8)

# A 5 x 7 font for the band letters and the WAPI mark.
GLYPHS = {
    "a": ["     ", "     ", " ### ", "    #", " ####", "#   #", " ####"],
    "b": ["#    ", "#    ", "#### ", "#   #", "#   #", "#   #", "#### "],
    "g": [" ####", "#   #", "#   #", " ####", "    #", "#   #", " ### "],
    "n": ["     ", "     ", "#### ", "#   #", "#   #", "#   #", "#   #"],
    "W": ["#   #", "#   #", "#   #", "# # #", "# # #", "## ##", "#   #"],
}


class Image:
    def __init__(self):
        self.px = [[MASK] * SIZE for _ in range(SIZE)]

    def set(self, x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.set(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1):
            self.set(x, y0, colour)
            self.set(x, y1 - 1, colour)
        for y in range(y0, y1):
            self.set(x0, y, colour)
            self.set(x1 - 1, y, colour)

    def disc(self, cx, cy, r, colour):
        for y in range(SIZE):
            for x in range(SIZE):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.set(x, y, colour)

    def glyph(self, ch, x0, y0, colour, scale=1):
        for row, bits in enumerate(GLYPHS[ch]):
            for col, bit in enumerate(bits):
                if bit == "#":
                    self.rect(x0 + col * scale, y0 + row * scale, x0 + (col + 1) * scale, y0 + (row + 1) * scale, colour)

    def line(self, points, colour):
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            steps = max(abs(x1 - x0), abs(y1 - y0), 1)
            for i in range(steps + 1):
                self.set(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), colour)


def screen(img, x0, y0):
    img.rect(x0, y0, x0 + 7, y0 + 5, BLUE)
    img.frame(x0, y0, x0 + 7, y0 + 5, INK)
    img.rect(x0 + 2, y0 + 5, x0 + 5, y0 + 6, INK)
    img.rect(x0, y0 + 6, x0 + 7, y0 + 7, STEEL)


def adhoc():
    img = Image()
    screen(img, 0, 2)
    screen(img, 9, 8)
    img.line([(4, 10), (4, 12), (8, 12)], INK)
    return img


def infrastructure():
    img = Image()
    img.rect(7, 5, 9, 14, STEEL)
    img.rect(3, 13, 13, 15, INK)
    img.disc(8, 4, 1.6, BLUE)
    for r, colour in ((4, BLUE), (6.5, INK)):
        for y in range(SIZE):
            for x in range(SIZE):
                d = ((x + 0.5 - 8) ** 2 + (y + 0.5 - 4) ** 2) ** 0.5
                if abs(d - r) < 0.6 and y < 6 and abs(x + 0.5 - 8) > 1.5:
                    img.set(x, y, colour)
    return img


def band(letter, colour):
    img = Image()
    img.rect(1, 1, 15, 15, PAPER)
    img.frame(1, 1, 15, 15, colour)
    img.glyph(letter, 4, 3, colour) if letter != "n" else img.glyph(letter, 4, 4, colour)
    return img


def lock(body):
    img = Image()
    img.frame(4, 1, 12, 9, INK)
    img.frame(5, 2, 11, 9, STEEL)
    img.rect(2, 7, 14, 15, body)
    img.frame(2, 7, 14, 15, INK)
    img.rect(7, 9, 9, 13, INK)
    return img


def connected():
    img = Image()
    img.disc(8, 8, 7.5, GREEN)
    img.line([(4, 8), (7, 11), (12, 5)], PAPER)
    img.line([(4, 9), (7, 12), (12, 6)], PAPER)
    return img


def tried():
    img = Image()
    img.disc(8, 8, 7.5, ORANGE)
    img.line([(5, 5), (11, 11)], PAPER)
    img.line([(11, 5), (5, 11)], PAPER)
    img.line([(5, 6), (10, 11)], PAPER)
    img.line([(10, 5), (5, 10)], PAPER)
    return img


def wps():
    img = lock(GOLD)
    img.disc(12, 12, 3.6, BLUE)
    img.rect(11, 10, 13, 14, PAPER)
    return img


def wapi():
    img = lock(PURPLE)
    img.rect(3, 8, 13, 14, PURPLE)
    img.glyph("W", 6, 8, PAPER)
    img.rect(5, 8, 6, 15, PURPLE)
    return img


IMAGES = [adhoc(), infrastructure(), band("a", BLUE), band("b", GREEN), band("g", ORANGE), lock(GOLD), connected(),
          tried(), wps(), band("n", RED), wapi()]


def write_png(path, rows):
    width, height = len(rows[0]), len(rows)
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    data += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as out:
        out.write(data)


def main():
    rows = [sum((img.px[y] for img in IMAGES), []) for y in range(SIZE)]
    for row in rows:
        assert all(px == MASK or px != (0xFF, 0xFF, 0xFF) for px in row)
    write_png(os.path.join(os.path.dirname(os.path.abspath(__file__)), "survey_icons.png"), rows)


if __name__ == "__main__":
    main()
