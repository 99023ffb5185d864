#!/usr/bin/env python3
"""Draws the program's 32x32 icon (32 bpp with alpha) and writes it as an .ico file.

The mark: a rounded green square with a white ring and a leaf-shaped tail, the maker's "Q".
Drawn by 4x4 supersampling so the edges are smooth.
"""
import math
import struct
import sys

SIZE = 32
SS = 4


def coverage(fx, fy):
    """Returns (alpha, r, g, b) for one sample point in icon coordinates."""
    # Rounded square 1..31 with corner radius 7.
    r = 7.0
    x0, y0, x1, y1 = 1.0, 1.0, 31.0, 31.0
    cx = min(max(fx, x0 + r), x1 - r)
    cy = min(max(fy, y0 + r), y1 - r)
    if (fx - cx) ** 2 + (fy - cy) ** 2 > r * r or not (x0 <= fx <= x1 and y0 <= fy <= y1):
        return None
    # Vertical gradient: fresh green at the top, deep green at the bottom.
    t = (fy - y0) / (y1 - y0)
    base = (int(76 + (20 - 76) * t), int(185 + (120 - 185) * t), int(80 + (60 - 80) * t))
    # The ring of the "Q".
    d = math.hypot(fx - 15.0, fy - 14.5)
    if 6.0 <= d <= 9.5:
        return (255, 255, 255)
    # The tail: a short thick stroke towards the lower right.
    px, py = fx - 19.0, fy - 19.0
    along = (px + py) / math.sqrt(2)
    across = abs(px - py) / math.sqrt(2)
    if -1.0 <= along <= 7.5 and across <= 1.9:
        return (255, 236, 120)
    return base


def render():
    pixels = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            acc = [0, 0, 0, 0]
            for sy in range(SS):
                for sx in range(SS):
                    c = coverage(x + (sx + 0.5) / SS, y + (sy + 0.5) / SS)
                    if c is not None:
                        acc[0] += c[0]
                        acc[1] += c[1]
                        acc[2] += c[2]
                        acc[3] += 1
            n = acc[3]
            if n == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((acc[0] // n, acc[1] // n, acc[2] // n, 255 * n // (SS * SS)))
        pixels.append(row)
    return pixels


def ico_bytes(pixels):
    # BITMAPINFOHEADER with doubled height (XOR image + AND mask), bottom-up rows, BGRA.
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_row = ((SIZE + 31) // 32) * 4
    andmask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        andmask += bits
    image = header + bytes(xor) + bytes(andmask)
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def main():
    with open(sys.argv[1], 'wb') as f:
        f.write(ico_bytes(render()))


if __name__ == '__main__':
    main()
