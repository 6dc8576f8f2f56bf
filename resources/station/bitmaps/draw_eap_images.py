#!/usr/bin/env python3
"""Draws the images of the 802.1X tab's method menus and their RT_TOOLBAR descriptions.

Run it from anywhere; it rewrites beside itself and in the folder above:

    eap_methods.png        6 cells of 16 x 16 on 0xFF00FF (menu 204) and ../Toolbar209.bin
    eap_methods_newer.png  4 cells (menu 208) and ../Toolbar211.bin
    ttls_tunnels.png       5 cells (menu 207) and ../Toolbar217.bin

Each cell is a badge: a rounded square in the method's colour with a light bar, so the
methods tell apart at a glance. Standard library only; pixels are the background or painted.
"""

import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
UP = os.path.dirname(HERE)

MAGENTA = (0xFF, 0x00, 0xFF)
OUTLINE = (0x1C, 0x24, 0x33)
PEAP = (0x2F, 0x7F, 0xD8)
TLS = (0x22, 0x80, 0x40)
TTLS = (0x87, 0x5B, 0xC8)
FAST = (0xF0, 0x95, 0x2B)
MD5 = (0x9C, 0xA3, 0xAE)
LEAP = (0xD6, 0x45, 0x3A)


def png(path, width, height, rows):
    raw = b"".join(b"\x00" + bytes(v for px in row for v in px) for row in rows)
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def badge(colour, x, y):
    inside = 2 <= x <= 13 and 2 <= y <= 13 and not ((x in (2, 13)) and (y in (2, 13)))
    if not inside:
        return MAGENTA
    if x in (2, 13) or y in (2, 13):
        return OUTLINE
    if 6 <= y <= 8 and 5 <= x <= 10:
        return (0xFF, 0xFF, 0xF0)
    return colour


def strip(name, colours, bin_name, commands):
    rows = [[badge(colours[x // 16], x % 16, y) for x in range(16 * len(colours))] for y in range(16)]
    png(os.path.join(HERE, name), 16 * len(colours), 16, rows)
    with open(os.path.join(UP, bin_name), "wb") as f:
        f.write(struct.pack("<HHHH", 1, 16, 16, len(commands)))
        f.write(b"".join(struct.pack("<H", c) for c in commands))


strip("eap_methods.png", [PEAP, TLS, TTLS, FAST, MD5, LEAP], "Toolbar209.bin", [32882, 32883, 32884, 32885, 32886, 32887])
strip("eap_methods_newer.png", [PEAP, TLS, FAST, LEAP], "Toolbar211.bin", [32882, 32883, 32885, 32887])
strip("ttls_tunnels.png", [(0x3B, 0xA8, 0x5A), (0x1F, 0x4F, 0xA8), (0x2F, 0x7F, 0xD8), (0xC9, 0xD3, 0xDE), MD5],
      "Toolbar217.bin", [32901, 32902, 32903, 32904, 32905])
