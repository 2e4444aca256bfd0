#!/usr/bin/env python3
"""Draws the launcher's icon (a blue rounded tile with a white down arrow into a tray) and writes
it as an .ico with five 32-bit images: 16, 24, 32, 48 and 64 pixels.

    tools/draw_launcher_icon.py launcher/resources/launcher.ico
"""
import struct
import sys

SIZES = (16, 24, 32, 48, 64)


def coverage(inside, x, y, samples=4):
    """Fraction of a pixel covered by the shape, by supersampling."""
    hits = 0
    for sy in range(samples):
        for sx in range(samples):
            if inside(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples):
                hits += 1
    return hits / (samples * samples)


def tile(u, v):
    r = 0.2
    cx = min(max(u, r), 1 - r)
    cy = min(max(v, r), 1 - r)
    return (u - cx) ** 2 + (v - cy) ** 2 <= r * r and 0 <= u <= 1 and 0 <= v <= 1


def arrow(u, v):
    shaft = 0.43 <= u <= 0.57 and 0.18 <= v <= 0.52
    head = 0.44 <= v <= 0.68 and abs(u - 0.5) <= (0.68 - v) * 1.1
    tray = 0.22 <= u <= 0.78 and 0.74 <= v <= 0.82
    tray_sides = (0.22 <= u <= 0.30 or 0.70 <= u <= 0.78) and 0.62 <= v <= 0.82
    return shaft or head or tray or tray_sides


def image(size):
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            a_tile = coverage(lambda u, v: tile(u / size, v / size), x, y)
            a_arrow = coverage(lambda u, v: arrow(u / size, v / size), x, y)
            shade = y / max(size - 1, 1)
            blue = (int(40 + 20 * shade), int(110 - 30 * shade), int(215 - 40 * shade))
            rgb = tuple(int(c * (1 - a_arrow) + 255 * a_arrow) for c in blue)
            row.append((rgb, int(255 * a_tile)))
        rows.append(row)
    return rows


def dib(size):
    pixels = image(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    body = bytearray()
    for row in reversed(pixels):  # bottom-up
        for (r, g, b), a in row:
            body += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    body += bytes(mask_stride * size)  # alpha carries the shape; the AND mask stays clear
    return header + bytes(body)


def main(path):
    images = [dib(s) for s in SIZES]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1])
