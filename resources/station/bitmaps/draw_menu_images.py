#!/usr/bin/env python3
"""Draws the images of the authentication tab's menus and the menu buttons' drop arrow.

Run it from anywhere; it rewrites beside itself:

    auth_modes.png    10 cells of 16 x 16 on 0xFF00FF: a padlock per authentication mode
    ciphers.png        7 cells of 16 x 16 on 0xFF00FF: a key per cipher
    ../icons/menu_drop.png   16 x 16, transparent: the arrow of the menu buttons

Standard library only, so the output is the same on every machine. Pixels are either the
background or fully painted: the menu code masks the strips by the background colour.
"""

import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
MAGENTA = (0xFF, 0x00, 0xFF)
OUTLINE = (0x1C, 0x24, 0x33)
STEEL = (0x7B, 0x8A, 0x9C)
GOLD = (0xF2, 0xC1, 0x3D)

# Mode cells in the command order of the strip: body colour, shackle closed.
MODES = [
    ((0xC9, 0xD3, 0xDE), False),  # Open
    ((0x9C, 0xCB, 0xF2), True),   # Shared
    ((0x2F, 0x7F, 0xD8), True),   # WPA
    ((0x3B, 0xA8, 0x5A), True),   # WPA-PSK
    ((0x1F, 0x4F, 0xA8), True),   # WPA2
    ((0x22, 0x80, 0x40), True),   # WPA2-PSK
    ((0xF0, 0x95, 0x2B), True),   # WPA-None
    ((0x87, 0x5B, 0xC8), True),   # WAPI-PSK
    ((0x5E, 0x3A, 0x9A), True),   # WAPI-CA
    ((0xD6, 0x45, 0x3A), True),   # CCKM
]
# Cipher cells: key colour (None is a struck-out grey key).
CIPHERS = [(0xC9, 0xD3, 0xDE), (0x9C, 0xCB, 0xF2), (0x2F, 0x7F, 0xD8), (0x3B, 0xA8, 0x5A),
           (0x87, 0x5B, 0xC8), (0x1F, 0x4F, 0xA8), (0x22, 0x80, 0x40)]


def png(path, width, height, rows, alpha):
    colour_type = 6 if alpha else 2
    raw = b"".join(b"\x00" + bytes(v for px in row for v in px) for row in rows)
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def padlock(cell, body, closed):
    for y in range(16):
        for x in range(16):
            inside_body = 3 <= x <= 12 and 7 <= y <= 14
            edge_body = inside_body and (x in (3, 12) or y in (7, 14))
            ring = (x in (5, 10) and 2 <= y <= 6) or (y == 1 and 6 <= x <= 9)
            if not closed and x == 10 and y in (5, 6):
                ring = False
            if edge_body or ring:
                cell[y][x] = OUTLINE
            elif inside_body:
                cell[y][x] = body
    cell[10][7] = cell[10][8] = cell[11][7] = cell[11][8] = OUTLINE


def key(cell, colour, struck):
    for y in range(16):
        for x in range(16):
            bow = (x - 4) ** 2 + (y - 8) ** 2
            if bow <= 12:
                cell[y][x] = OUTLINE if bow >= 6 else colour
            elif 7 <= x <= 14 and 7 <= y <= 9:
                cell[y][x] = OUTLINE if y != 8 else colour
            elif x in (11, 13) and y == 10:
                cell[y][x] = OUTLINE
    if struck:
        for i in range(2, 14):
            cell[i][i] = (0xD6, 0x45, 0x3A)


def strip(cells):
    rows = [[MAGENTA] * (16 * len(cells)) for _ in range(16)]
    for n, cell in enumerate(cells):
        for y in range(16):
            rows[y][16 * n:16 * n + 16] = cell[y]
    return rows


def blank():
    return [[MAGENTA] * 16 for _ in range(16)]


def main():
    modes = []
    for body, closed in MODES:
        cell = blank()
        padlock(cell, body, closed)
        modes.append(cell)
    png(os.path.join(HERE, "auth_modes.png"), 16 * len(modes), 16, strip(modes), False)
    ciphers = []
    for n, colour in enumerate(CIPHERS):
        cell = blank()
        key(cell, colour, n == 0)
        ciphers.append(cell)
    png(os.path.join(HERE, "ciphers.png"), 16 * len(ciphers), 16, strip(ciphers), False)
    arrow = [[(0, 0, 0, 0)] * 16 for _ in range(16)]
    for y in range(6, 11):
        for x in range(16):
            if abs(x - 7.5) <= 10 - y:
                arrow[y][x] = OUTLINE + (255,)
    png(os.path.join(HERE, "..", "icons", "menu_drop.png"), 16, 16, arrow, True)


main()
