#!/usr/bin/env python3
"""Writes the saver's invisible cursor and its icon into src/resources/.

invisible.cur: 32 x 32 monochrome, every pixel transparent (AND mask all
ones, XOR mask all zeros), so the cursor vanishes over the saver's windows.
mirovane.ico: 32 x 32, 32 bits per pixel, a small escape-time picture.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "src", "resources")


def bitmap_header(width, height, bits, colours):
    # Icon and cursor images store XOR and AND masks stacked: double height.
    return struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bits, 0, 0, 0, 0, colours, 0)


def cursor():
    size = 32
    mask_row = size // 8  # 1 bit per pixel, 4-byte rows already aligned
    image = (bitmap_header(size, size, 1, 2)
             + struct.pack("<II", 0x000000, 0xFFFFFF)
             + bytes(mask_row * size)            # XOR: black
             + b"\xff" * (mask_row * size))      # AND: transparent
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, 0, 0, len(image), 6 + 16)
    return directory + entry + image


def colour(n, limit):
    if n >= limit:
        return (20, 0, 40)
    t = n / limit
    return (int(255 * t ** 0.5), int(255 * (1 - t) * t * 4) & 0xFF, int(255 * (1 - t)))


def icon():
    size = 32
    limit = 40
    pixels = bytearray()
    for row in range(size):  # bottom row first
        y = (size - 1 - row) / size * 2.4 - 1.2
        for col in range(size):
            x = col / size * 3.0 - 2.1
            zr = zi = 0.0
            n = 0
            while n < limit and zr * zr + zi * zi <= 4.0:
                zr, zi = zr * zr - zi * zi + x, 2 * zr * zi + y
                n += 1
            r, g, b = colour(n, limit)
            pixels += bytes((b, g, r, 255))
    image = bitmap_header(size, size, 32, 0) + bytes(pixels) + bytes(size // 8 * size)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    with open(os.path.join(OUT, "invisible.cur"), "wb") as f:
        f.write(cursor())
    with open(os.path.join(OUT, "mirovane.ico"), "wb") as f:
        f.write(icon())
