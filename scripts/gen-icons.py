#!/usr/bin/env python3
"""Writes data/tarq.ico and the icon theme's pictures under data/icons/hicolor (PNGs and an SVG)
from src/ui/qt/tarq_icon.xpm, so that the Windows resource, the desktop entry, the software
centres and the windows show one picture."""
import pathlib
import struct
import zlib

root = pathlib.Path(__file__).resolve().parent.parent
xpm = (root / "src/ui/qt/tarq_icon.xpm").read_text().splitlines()
rows = [line.strip().rstrip(",").rstrip("};").strip('"') for line in xpm if line.startswith('"')]
rows = [r for r in rows if len(r) == 32][-32:]
assert len(rows) == 32
YELLOW, BLACK = (0, 255, 255, 255), (0, 0, 0, 255)  # BGRA

def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
def scaled(size):
    return [[rows[y * 32 // size][x * 32 // size] for x in range(size)] for y in range(size)]
def averaged(size):
    """The picture at size x size, each pixel the share of yellow in the picture's area it
    covers (0 to 255): exact at 32 and its multiples, edges shaded where a picture pixel falls
    on two output pixels (48)."""
    def overlap(i, j):  # of output cell i and picture cell j along one axis, in picture pixels
        return max(0.0, min((i + 1) * 32 / size, j + 1) - max(i * 32 / size, j))
    cover = [[(j, overlap(i, j)) for j in range(32) if overlap(i, j) > 0] for i in range(size)]
    return [[round(255 * sum(wy * wx for j, wy in cover[y] for i, wx in cover[x] if rows[j][i] == "#")
                   * size * size / 1024) for x in range(size)] for y in range(size)]
def png(levels):
    """An RGB PNG: yellow at each pixel's level on black."""
    size = len(levels)
    raw = b"".join(b"\x00" + b"".join(bytes((v, v, 0)) for v in r) for r in levels)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))

# ICO: the sizes Windows asks for at 100 to 200 % and in Explorer's views,
# each scaled from the 32 x 32 picture by nearest neighbour, which keeps two
# colours crisp. Up to 64 pixels a 32-bit bottom-up bitmap with an empty AND
# mask; the 256 image PNG-compressed, as Windows Vista and later read it.
def bitmap(picture):
    size = len(picture)
    pixels = b"".join(bytes(YELLOW if c == "#" else BLACK) for r in reversed(picture) for c in r)
    mask = bytes(((size + 31) // 32 * 4) * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + mask
sizes = [16, 20, 24, 32, 40, 48, 64, 256]
images = [png(averaged(s)) if s == 256 else bitmap(scaled(s)) for s in sizes]
offset = 6 + 16 * len(images)
entries = b""
for s, image in zip(sizes, images):
    entries += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(image), offset)
    offset += len(image)
(root / "data/tarq.ico").write_bytes(struct.pack("<HHH", 0, 1, len(images)) + entries + b"".join(images))

# The icon theme (hicolor): the same squares as an SVG, scalable, and PNGs at
# the sizes desktops and software centres ask for.
hicolor = root / "data/icons/hicolor"
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
(hicolor / "scalable/apps").mkdir(parents=True, exist_ok=True)
(hicolor / "scalable/apps/tarq.svg").write_text(svg)
for size in [32, 48, 64, 128, 256]:
    folder = hicolor / f"{size}x{size}/apps"
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "tarq.png").write_bytes(png(averaged(size)))
