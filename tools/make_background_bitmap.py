#!/usr/bin/env python3
"""Writes the gauge's background bitmap: 100 x 100 pixels, 8 bits per pixel
with a 256-entry palette, every pixel index 0 (black)."""
import struct
import sys

WIDTH = 100
HEIGHT = 100
PALETTE_ENTRIES = 256


def bitmap_bytes():
    row = (WIDTH + 3) & ~3  # rows are padded to 4 bytes
    pixels = bytes(row * HEIGHT)
    palette = b"".join(struct.pack("<BBBB", i, i, i, 0) for i in range(PALETTE_ENTRIES))
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, len(pixels), 2835, 2835,
                       PALETTE_ENTRIES, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def main():
    with open(sys.argv[1], "wb") as out:
        out.write(bitmap_bytes())


if __name__ == "__main__":
    main()
