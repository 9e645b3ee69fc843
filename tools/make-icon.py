#!/usr/bin/env python3
"""Writes resources/kivo6.ico (the Windows program's icon) and resources/kivo6.png (the
Linux desktop entry's icon) from resources/kivo6-icon.txt: 32 rows of 32 characters,
each a hexadecimal index into the 16-colour Windows palette or '.' for transparent.
Run it after editing the picture; the build and the packages use the files committed."""
import struct
import sys
import zlib
from pathlib import Path

PALETTE = [  # the standard 16-colour palette, as (red, green, blue)
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
SIZE = 32


def read_picture(path):
    rows = [line.rstrip("\n") for line in path.read_text().splitlines() if line.strip()]
    if len(rows) != SIZE or any(len(row) != SIZE for row in rows):
        sys.exit(f"{path}: need {SIZE} rows of {SIZE} characters")
    return rows


def icon_bytes(rows):
    # Rows are stored bottom-up; colour at 4 bits per pixel, then the 1-bit AND mask
    # (1 = transparent), each row padded to 4 bytes.
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        indices = [0 if ch == "." else int(ch, 16) for ch in row]
        for i in range(0, SIZE, 2):
            xor.append(indices[i] << 4 | indices[i + 1])
        bits = 0
        for ch in row:
            bits = bits << 1 | (ch == ".")
        mask += bits.to_bytes(SIZE // 8, "big")
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0,
                         len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack(
        "<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + image


def png_chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data
            + struct.pack(">I", zlib.crc32(kind + data)))


def png_bytes(rows):
    # 8-bit RGBA, each row led by filter byte 0 (none); '.' is fully transparent.
    pixels = bytearray()
    for row in rows:
        pixels.append(0)
        for ch in row:
            if ch == ".":
                pixels += bytes(4)
            else:
                pixels += bytes(PALETTE[int(ch, 16)]) + b"\xff"
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header)
            + png_chunk(b"IDAT", zlib.compress(bytes(pixels), 9))
            + png_chunk(b"IEND", b""))


def main():
    resources = Path(__file__).resolve().parent.parent / "resources"
    rows = read_picture(resources / "kivo6-icon.txt")
    (resources / "kivo6.ico").write_bytes(icon_bytes(rows))
    (resources / "kivo6.png").write_bytes(png_bytes(rows))


if __name__ == "__main__":
    main()
