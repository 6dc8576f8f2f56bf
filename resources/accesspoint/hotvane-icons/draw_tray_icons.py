#!/usr/bin/env python3
"""Draws the access point utility's tray and program icons beside itself:

    python3 resources/accesspoint/hotvane-icons/draw_tray_icons.py

Standard library only, so the output is the same on every machine. The tray pictures are the
four signal bars of the sheet's icon (sheet.png, the "no status yet" picture 133): a dark
outline, the bars that the signal reaches filled in the quality's colour, the others grey.
No adapter (136) shows empty bars under a red bar-less ring. The program icon (131) is a mast
sending waves. Pixels are fully opaque or fully transparent, like the program's other icons.
"""

import os
import struct
import zlib

OUTLINE = (40, 40, 40)
GREY = (150, 150, 150)
GREEN = (40, 170, 60)
AMBER = (230, 170, 30)
ORANGE = (225, 90, 30)
RED = (210, 30, 30)
BLUE = (47, 127, 216)

# The bars: left column and top row of each; all end at row 14.
BARS = [(1, 11), (5, 8), (9, 5), (13, 2)]


def blank():
    return [[None] * 16 for _ in range(16)]


def bars(pixels, filled, colour):
    for index, (left, top) in enumerate(BARS):
        for y in range(top, 15):
            for x in range(left, left + 3):
                edge = x in (left, left + 2) or y in (top, 14)
                pixels[y][x] = OUTLINE if edge else (colour if index < filled else GREY)


def ring(pixels):
    for y in range(16):
        for x in range(16):
            d = ((x - 4.5) ** 2 + (y - 4.5) ** 2) ** 0.5
            if 2.6 <= d <= 4.1 or (abs(x - y) <= 0.5 and d <= 3.6):
                pixels[y][x] = RED


def mast(pixels):
    for y in range(6, 15):
        pixels[y][7] = OUTLINE
        pixels[y][8] = OUTLINE
    for x in range(5, 11):
        pixels[14][x] = OUTLINE
    for y in range(4, 6):
        for x in range(6, 10):
            pixels[y][x] = BLUE
    for y in range(16):
        for x in range(16):
            d = ((x - 7.5) ** 2 + (y - 4.5) ** 2) ** 0.5
            if (4.0 <= d <= 5.0 or 6.8 <= d <= 7.8) and abs(x - 7.5) > 2.5 and y <= 8:
                pixels[y][x] = BLUE


def png(pixels):
    raw = b""
    for row in pixels:
        raw += b"\x00" + b"".join(bytes(p) + b"\xff" if p else b"\x00\x00\x00\x00" for p in row)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", 16, 16, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def icon(draw):
    pixels = blank()
    draw(pixels)
    return pixels


ICONS = {
    "program.png": lambda p: mast(p),
    "tray_good.png": lambda p: bars(p, 4, GREEN),
    "tray_normal.png": lambda p: bars(p, 3, AMBER),
    "tray_weak.png": lambda p: bars(p, 1, ORANGE),
    "tray_notexist.png": lambda p: (bars(p, 0, GREY), ring(p)),
}

if __name__ == "__main__":
    folder = os.path.dirname(os.path.abspath(__file__))
    for name, draw in ICONS.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(png(icon(draw)))
