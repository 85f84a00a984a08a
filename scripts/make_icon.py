#!/usr/bin/env python3
"""Draws the program icon (a console window with a gear of command lines) and writes it
as resources/palvetta.ico with PNG images of 16, 24, 32, 48, 64 and 256 pixels.

Run it again after changing the drawing; the icon file is kept in the repository."""
import struct
import sys
import zlib
from pathlib import Path


def png(size, pixels):
    raw = b"".join(b"\0" + bytes(row) for row in pixels)
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def draw(size):
    """RGBA rows: a rounded dark window with a blue title bar and three prompt lines."""
    def inside_rounded(x, y, r):
        cx = min(max(x, r), size - 1 - r)
        cy = min(max(y, r), size - 1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    radius = max(1, size // 8)
    bar = max(2, size // 5)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            if not inside_rounded(x + 0.5, y + 0.5, radius):
                row += [0, 0, 0, 0]
            elif y < bar:
                row += [0x1E, 0x6F, 0xD9, 255]
            else:
                row += [0x1B, 0x22, 0x2C, 255]
        rows.append(row)
    # Prompt lines: ">" and a bar of text, in green, three lines.
    unit = max(1, size // 16)
    for line in range(3):
        top = bar + unit * 2 + line * unit * 4
        for y in range(top, min(size, top + unit * 2)):
            for x in range(unit * 2, size - unit * 2):
                length = size - unit * (4 + 3 * line)
                if x < unit * 3 or (unit * 4 <= x < length):
                    i = x * 4
                    rows[y][i:i + 4] = [0x4C, 0xD9, 0x64, 255]
    return rows


def main():
    sizes = [16, 24, 32, 48, 64, 256]
    images = [png(s, draw(s)) for s in sizes]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for s, data in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).parent.parent / "resources" / "palvetta.ico")
    out.write_bytes(header + entries + b"".join(images))


if __name__ == "__main__":
    main()
