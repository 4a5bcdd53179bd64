#!/usr/bin/env python3
"""Writes installer/setup.ico: the module's 32 x 32, 16-colour icon.

The picture is drawn below as text, one character a pixel: a hexadecimal digit
is an index into the standard 16-colour palette, '.' is transparent. The file
is a one-image icon directory holding a device-independent bitmap (4 bits a
pixel, bottom-up) followed by its 1-bit transparency mask, as the resource
compiler expects. Run it from anywhere; it writes next to the resource script.

    python3 scripts/make-setup-icon.py [OUTPUT]
"""

import os
import struct
import sys

# The standard 16-colour palette as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

# A printer with a sheet going in at the top and one coming out at the front.
# 0 black, 7 light grey, 8 dark grey, 4 dark blue, a green, f white.
PICTURE = """
................................
................................
.........00000000000000.........
.........0ffffffffffff0.........
.........0f4444444444f0.........
.........0ffffffffffff0.........
.........0f44444444fff0.........
.........0ffffffffffff0.........
.........0f4444444444f0.........
.........0ffffffffffff0.........
.........0f444444ffff80.........
....000000000000000000000000....
...07777777777777777777777770...
..0777777777777777777777777880..
..0777777777777777777777777880..
..0777777777777777777777777880..
..077777777777777777777aa77880..
..077777777777777777777aa77880..
..0777777777777777777777777880..
..0888888888888888888888888880..
..0800000000000000000000000080..
..0888888888888888888888888880..
..0777777777777777777777777880..
..0888888888888888888888888800..
...00000000000000000000000000...
......0ffffffffffffffffff0......
......0f444444444444444ff0......
.....0ffffffffffffffffff0.......
.....0f44444444444fffff0........
....0ffffffffffffffffff0........
....00000000000000000000........
................................
"""

SIZE = 32


def rows():
    lines = [line for line in PICTURE.strip("\n").split("\n")]
    if len(lines) != SIZE or any(len(line) != SIZE for line in lines):
        raise SystemExit("make-setup-icon: the picture must be 32 lines of 32 pixels")
    return lines


def icon_bytes():
    lines = rows()
    colour_bits = bytearray()
    mask_bits = bytearray()
    # Device-independent bitmaps run bottom-up.
    for line in reversed(lines):
        for x in range(0, SIZE, 2):
            pair = [0 if c == "." else int(c, 16) for c in line[x:x + 2]]
            colour_bits.append(pair[0] << 4 | pair[1])
        mask = 0
        for c in line:
            mask = mask << 1 | (1 if c == "." else 0)
        mask_bits += struct.pack(">I", mask)  # each row is 32 bits, padded to 4 bytes
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    # BITMAPINFOHEADER: the height counts the colour and the mask bitmaps.
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0,
                         len(colour_bits) + len(mask_bits), 0, 0, 16, 0)
    image = header + palette + bytes(colour_bits) + bytes(mask_bits)
    # ICONDIR with one ICONDIRENTRY; the image follows right after.
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "installer",
                                                               "setup.ico")
    with open(output, "wb") as f:
        f.write(icon_bytes())


if __name__ == "__main__":
    main()
