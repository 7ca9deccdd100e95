#!/usr/bin/env python3
"""Draws the installer's banner (bitmap "B", 650 x 138, 24-bit) and icon
("A", 32 x 32) as files. Drawn from code, with no fonts or image tools, so
that every build makes the same bytes.

Usage: make_art.py BANNER.bmp ICON.ico
"""
import struct
import sys

# 5 x 7 capitals and digits, enough for the banner's two lines.
GLYPHS = {
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    "5": ["11111", "10000", "11110", "00001", "00001", "10001", "01110"],
    ".": ["00000", "00000", "00000", "00000", "00000", "01100", "01100"],
    " ": ["00000"] * 7,
}


def draw_text(pixels, width, text, left, top, scale, colour):
    x = left
    for ch in text:
        for row, bits in enumerate(GLYPHS[ch]):
            for col, bit in enumerate(bits):
                if bit == "1":
                    for dy in range(scale):
                        for dx in range(scale):
                            pixels[(top + row * scale + dy) * width + x + col * scale + dx] = colour
        x += 6 * scale


def banner(path):
    width, height = 650, 138
    pixels = []
    for y in range(height):
        for x in range(width):
            t = x / (width - 1)
            pixels.append((int(20 + 10 * t), int(60 + 80 * t), int(120 + 60 * t)))
    draw_text(pixels, width, "ORVNET 2.5", 40, 28, 7, (255, 255, 255))
    draw_text(pixels, width, "INSTALACION", 42, 96, 3, (200, 230, 255))
    row_bytes = (width * 3 + 3) & ~3
    image = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for r, g, b in pixels[y * width:(y + 1) * width]:
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        image += row
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(image), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + image)


def icon(path):
    size = 32
    pixels = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            dx, dy = x - 15.5, y - 15.5
            d = (dx * dx + dy * dy) ** 0.5
            if d <= 15:
                inside = 7 <= d <= 12
                b, g, r = (255, 255, 255) if inside else (150, 110, 30)
                pixels += bytes((b, g, r, 255))
            else:
                pixels += bytes((0, 0, 0, 0))
    mask = b"\0" * (size * 4)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = info + pixels + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 6 + 16)
    with open(path, "wb") as out:
        out.write(directory + entry + image)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    banner(sys.argv[1])
    icon(sys.argv[2])
