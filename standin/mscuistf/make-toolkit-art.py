#!/usr/bin/env python3
"""Writes the stand-in toolkit's bitmap and icon for mscuistf.rc.

toolkit.bmp: the frame's bitmap, 96 x 48, 16 colours: a blue band with a
    white printer shape.
toolkit.ico: the pages' icon, 32 x 32, 16 colours: the same printer shape.

Both are plain 4-bit DIBs drawn from the same picture, so that the files are
reproducible: run this script beside mscuistf.rc to make them again.
"""
import struct
import sys
from pathlib import Path

# The Windows standard 16-colour palette in its own order, as (red, green,
# blue): 1 maroon, 4 navy, 9 red, 12 blue. The file stores each as blue,
# green, red, reserved.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
DARK_BLUE, GREY, LIGHT_GREY, WHITE, BLACK = 4, 8, 7, 15, 0


def printer(width, height, background):
    """Rows top first of colour indices: a printer centred in the picture."""
    rows = [[background] * width for _ in range(height)]
    scale = min(width, height) / 32.0

    def box(x0, y0, x1, y1, colour):
        for y in range(int(y0 * scale), int(y1 * scale)):
            for x in range(int(x0 * scale), int(x1 * scale)):
                ox = x + (width - int(32 * scale)) // 2
                if 0 <= ox < width and 0 <= y < height:
                    rows[y][ox] = colour

    box(9, 3, 23, 12, WHITE)        # the paper going in
    box(4, 12, 28, 24, LIGHT_GREY)  # the body
    box(4, 23, 28, 24, BLACK)
    box(22, 15, 25, 17, 10)         # the green light
    box(8, 20, 24, 29, WHITE)       # the paper coming out
    for line in (22, 24, 26):
        box(10, line, 22, line + 1, GREY)
    return rows


def pack_rows(rows):
    """4-bit rows, bottom first, each padded to 4 bytes."""
    data = b""
    for row in reversed(rows):
        packed = bytes((row[i] << 4) | (row[i + 1] if i + 1 < len(row) else 0)
                       for i in range(0, len(row), 2))
        data += packed + b"\0" * (-len(packed) % 4)
    return data


def info_header(width, height):
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, 0, 0, 0, 16, 0), palette


def bitmap(width, height):
    header, palette = info_header(width, height)
    pixels = pack_rows(printer(width, height, DARK_BLUE))
    offset = 14 + len(header) + len(palette)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + header + \
        palette + pixels


def icon(size):
    header, palette = info_header(size, size * 2)  # colour and mask rows
    pixels = pack_rows(printer(size, size, BLACK))
    mask_row = b"\0" * ((size + 31) // 32 * 4)  # every pixel opaque
    image = header + palette + pixels + mask_row * size
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    here = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent
    (here / "toolkit.bmp").write_bytes(bitmap(96, 48))
    (here / "toolkit.ico").write_bytes(icon(32))


if __name__ == "__main__":
    main()
