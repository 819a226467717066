#!/usr/bin/env python3
"""Writes data/tarq.ico, data/tarq.png and data/tarq.svg from src/ui/qt/tarq_icon.xpm, so that
the Windows resource, the desktop entry and the windows show one picture."""
import pathlib
import struct
import zlib

root = pathlib.Path(__file__).resolve().parent.parent
xpm = (root / "src/ui/qt/tarq_icon.xpm").read_text().splitlines()
rows = [line.strip().rstrip(",").rstrip("};").strip('"') for line in xpm if line.startswith('"')]
rows = [r for r in rows if len(r) == 32][-32:]
assert len(rows) == 32
YELLOW, BLACK = (0, 255, 255, 255), (0, 0, 0, 255)  # BGRA

# ICO: the sizes Windows asks for at 100 to 200 % and in Explorer's views,
# each scaled from the 32 x 32 picture by nearest neighbour, which keeps two
# colours crisp. Up to 64 pixels a 32-bit bottom-up bitmap with an empty AND
# mask; the 256 image PNG-compressed, as Windows Vista and later read it.
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
def scaled(size):
    return [[rows[y * 32 // size][x * 32 // size] for x in range(size)] for y in range(size)]
def png(picture):
    size = len(picture)
    raw = b"".join(b"\x00" + b"".join(b"\xff\xff\x00" if c == "#" else b"\x00\x00\x00" for c in r)
                   for r in picture)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
def bitmap(picture):
    size = len(picture)
    pixels = b"".join(bytes(YELLOW if c == "#" else BLACK) for r in reversed(picture) for c in r)
    mask = bytes(((size + 31) // 32 * 4) * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + mask
sizes = [16, 20, 24, 32, 40, 48, 64, 256]
images = [png(scaled(s)) if s == 256 else bitmap(scaled(s)) for s in sizes]
offset = 6 + 16 * len(images)
entries = b""
for s, image in zip(sizes, images):
    entries += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(image), offset)
    offset += len(image)
(root / "data/tarq.ico").write_bytes(struct.pack("<HHH", 0, 1, len(images)) + entries + b"".join(images))

# SVG: the same squares, scalable.
rects = []
for y, r in enumerate(rows):
    x = 0
    while x < 32:
        if r[x] == "#":
            start = x
            while x < 32 and r[x] == "#":
                x += 1
            rects.append(f'<rect x="{start}" y="{y}" width="{x - start}" height="1"/>')
        else:
            x += 1
svg = ('<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 32 32" width="32" height="32" '
       'shape-rendering="crispEdges">\n<rect width="32" height="32" fill="#000"/>\n<g fill="#ff0">\n'
       + "\n".join(rects) + "\n</g>\n</svg>\n")
(root / "data/tarq.svg").write_text(svg)

# PNG: 32 x 32, RGB, for the desktop's icon theme.
(root / "data/tarq.png").write_bytes(png(rows))
