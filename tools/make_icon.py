#!/usr/bin/env python3
"""Builds the program's .ico (one 32 x 32 image, 24-bit colour with a transparency mask) from
its one-character-a-pixel drawing."""
import struct
import sys

PALETTE = {
    "w": (255, 255, 255),
    "k": (0, 0, 0),
    "r": (255, 0, 0),
    "b": (0, 0, 255),
    "n": (0, 0, 128),
    "s": (160, 160, 160),
    ".": (0, 0, 0),
}


def main(source, target):
    rows = [line.rstrip("\n") for line in open(source, encoding="ascii") if not line.startswith("#")]
    rows = [r for r in rows if r]
    if len(rows) != 32 or any(len(r) != 32 for r in rows):
        sys.exit(f"{source}: the drawing must be 32 rows of 32 characters")
    pixels = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bitmaps run bottom-up
        for ch in row:
            if ch not in PALETTE:
                sys.exit(f"{source}: unknown colour '{ch}'")
            r, g, b = PALETTE[ch]
            pixels += bytes((b, g, r))
        bits = 0
        for ch in row:
            bits = (bits << 1) | (1 if ch == "." else 0)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 24, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 32, 32, 0, 0, 1, 24, len(image), 22)
    with open(target, "wb") as out:
        out.write(directory + image)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
