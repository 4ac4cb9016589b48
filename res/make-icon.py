#!/usr/bin/env python3
"""Writes trackwend.ico: a 32x32 LED counter face (amber digits on black in a grey bezel)."""
import struct, pathlib

W = H = 32
def pixel(x, y):
    if x < 2 or y < 2 or x > 29 or y > 29:
        return (0x80, 0x80, 0x80, 0xFF)
    if x < 4 or y < 4 or x > 27 or y > 27:
        return (0xC0, 0xC0, 0xC0, 0xFF)
    # two seven-segment style bars: a stylised "wheel and track" glyph
    if 22 <= y <= 23 and 6 <= x <= 25:
        return (0x00, 0xFF, 0xFF, 0xFF)  # yellow rail (BGR order below)
    cx, cy = 16, 14
    d = (x - cx) ** 2 + (y - cy) ** 2
    if 30 <= d <= 49:
        return (0x00, 0x80, 0x80, 0xFF)  # olive ring
    if d <= 6:
        return (0x00, 0xFF, 0xFF, 0xFF)
    return (0x00, 0x00, 0x00, 0xFF)

rows = []
for y in range(H - 1, -1, -1):  # bottom-up
    for x in range(W):
        b, g, r, a = pixel(x, y)
        rows.append(struct.pack('<BBBB', b, g, r, a))
xor = b''.join(rows)
andmask = b'\x00' * (4 * H)
header = struct.pack('<IiiHHIIiiII', 40, W, H * 2, 1, 32, 0, len(xor) + len(andmask), 0, 0, 0, 0)
image = header + xor + andmask
ico = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', W, H, 0, 0, 1, 32, len(image), 22) + image
pathlib.Path(__file__).with_name('trackwend.ico').write_bytes(ico)
