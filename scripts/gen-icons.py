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

# ICO: one 32 x 32 image, 32 bits per pixel, bottom-up, with an empty AND mask.
pixels = b"".join(bytes(YELLOW if c == "#" else BLACK) for r in reversed(rows) for c in r)
mask = bytes(4 * 32)
header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
image = header + pixels + mask
ico = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 32, 32, 0, 0, 1, 32, len(image), 22) + image
(root / "data/tarq.ico").write_bytes(ico)

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
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
raw = b"".join(b"\x00" + b"".join(b"\xff\xff\x00" if c == "#" else b"\x00\x00\x00" for c in r) for r in rows)
png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 32, 32, 8, 2, 0, 0, 0))
       + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
(root / "data/tarq.png").write_bytes(png)
