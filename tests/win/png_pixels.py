#!/usr/bin/python3
"""Reads a PNG file for the Windows-side tests with Python's imaging library (Debian's
python3-pil), a decoder independent of the platform's.

usage: png_pixels.py PICTURE.png RESULT

RESULT gets "ok WIDTH HEIGHT BITDEPTH COLOURTYPE PALETTE_ENTRIES\n" followed by the pixels as
red, green, blue bytes row by row, or "error TEXT\n". Width, height, bit depth and colour type are
the header chunk's, the palette entries the PLTE chunk's. The file appears whole (written aside,
then renamed), so that the test can wait for it to exist.
"""
import os
import struct
import sys

from PIL import Image

SIGNATURE = b"\x89PNG\r\n\x1a\n"


def chunks(data):
    at = len(SIGNATURE)
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        yield kind, data[at + 8:at + 8 + length]
        at += 12 + length


def describe(path):
    with open(path, "rb") as f:
        data = f.read()
    if not data.startswith(SIGNATURE):
        raise ValueError("no PNG signature")
    found = dict(chunks(data))
    if b"IHDR" not in found or b"IEND" not in found:
        raise ValueError("header or end chunk missing")
    width, height, depth, colour_type = struct.unpack(">IIBB", found[b"IHDR"][:10])
    palette_entries = len(found.get(b"PLTE", b"")) // 3
    with Image.open(path) as picture:
        picture.verify()  # every chunk's CRC and the compressed data
    with Image.open(path) as picture:
        if picture.size != (width, height):
            raise ValueError("decoded size %r differs from the header's" % (picture.size,))
        pixels = picture.convert("RGB").tobytes()
    header = "ok %d %d %d %d %d\n" % (width, height, depth, colour_type, palette_entries)
    return header.encode("ascii") + pixels


def main():
    source, result = sys.argv[1], sys.argv[2]
    try:
        answer = describe(source)
    except Exception as error:  # every failure is reported to the waiting test
        answer = ("error %s: %s\n" % (type(error).__name__, error)).encode("utf-8", "replace")
    with open(result + ".part", "wb") as f:
        f.write(answer)
    os.replace(result + ".part", result)


if __name__ == "__main__":
    main()
