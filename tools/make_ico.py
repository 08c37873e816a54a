#!/usr/bin/env python3
"""Packs PNG pictures into one Windows icon file, each picture kept as it is: Windows Vista and
later read PNG-compressed icon images of every size. The images go in from the smallest up.

Usage: make_ico.py <output.ico> <square picture.png>...
"""
import struct
import sys

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
LARGEST = 256  # an icon directory holds a side of 1 to 256 pixels, with 256 written as 0


def png_side(data, name):
    """The side of a square PNG picture, from its header."""
    if data[:8] != PNG_SIGNATURE or data[12:16] != b"IHDR":
        sys.exit(f"{name}: not a PNG picture")
    width, height = struct.unpack(">II", data[16:24])
    if width != height or not 1 <= width <= LARGEST:
        sys.exit(f"{name}: {width}×{height} pixels; an icon image is square, 1 to {LARGEST}")
    return width


def icon_file(pictures):
    """The icon file of (side, PNG data) pairs: its directory, then the pictures."""
    header = struct.pack("<HHH", 0, 1, len(pictures))  # reserved, type 1 (icon), count
    offset = len(header) + 16 * len(pictures)
    entries = b""
    for side, data in pictures:
        # Width and height (0 for 256), no palette, reserved, one plane, 32 bits per pixel.
        entries += struct.pack("<BBBBHHII", side % LARGEST, side % LARGEST, 0, 0, 1, 32,
                               len(data), offset)
        offset += len(data)
    return header + entries + b"".join(data for _, data in pictures)


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__.strip())
    pictures = []
    for name in argv[2:]:
        with open(name, "rb") as picture:
            data = picture.read()
        pictures.append((png_side(data, name), data))
    pictures.sort(key=lambda picture: picture[0])
    with open(argv[1], "wb") as output:
        output.write(icon_file(pictures))


if __name__ == "__main__":
    main(sys.argv)
