#!/usr/bin/env python3
"""Draws Plotvane's own pictures: the program icon (also at the icon theme's
sizes and as a scalable picture), the two arrow pictures of the move buttons,
the hand pointer HAND-M.CUR and the reorder pointer drag.ico. Writes PNG, ICO,
CUR and SVG files with the standard library only."""
import struct
import sys
import zlib
from pathlib import Path

SIZE = 32
CLEAR = (0, 0, 0, 0)


def canvas():
    return [[CLEAR] * SIZE for _ in range(SIZE)]


def fill_polygon(img, points, colour):
    for y in range(SIZE):
        cy = y + 0.5
        xs = []
        for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
            if (y1 <= cy < y2) or (y2 <= cy < y1):
                xs.append(x1 + (cy - y1) * (x2 - x1) / (y2 - y1))
        xs.sort()
        for a, b in zip(xs[::2], xs[1::2]):
            for x in range(SIZE):
                if a <= x + 0.5 < b:
                    img[y][x] = colour


def outline(img, colour):
    """Darkens the border pixels of every drawn shape."""
    out = [row[:] for row in img]
    for y in range(SIZE):
        for x in range(SIZE):
            if img[y][x][3] == 0:
                continue
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                nx, ny = x + dx, y + dy
                if not (0 <= nx < SIZE and 0 <= ny < SIZE) or img[ny][nx][3] == 0:
                    out[y][x] = colour
    return out


def arrow_up():
    img = canvas()
    fill_polygon(img, [(16, 2), (30, 16), (21, 16), (21, 30), (11, 30), (11, 16), (2, 16)], (40, 110, 200, 255))
    return outline(img, (20, 50, 110, 255))


def arrow_down():
    return arrow_up()[::-1]


# The program icon on the 32-unit grid, as rectangles painted back to front:
# a page with a dark edge, and three coloured shapes on and over it.
ICON_RECTS = [
    ((3, 6, 25, 30), (90, 90, 90)),
    ((4, 7, 24, 29), (250, 250, 250)),
    ((7, 12, 15, 18), (40, 110, 200)),
    ((11, 22, 21, 27), (230, 140, 30)),
    ((20, 2, 30, 14), (60, 160, 80)),
]
# The sizes of the icon theme's folders that desktops look in.
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def overlap(a1, a2, b1, b2):
    return max(0.0, min(a2, b2) - max(a1, b1))


def icon(size=SIZE):
    """The program icon at size x size pixels. A rectangle covers each pixel by
    the share of the pixel's area that it overlaps, so edges that fall between
    pixels are smoothed; at 32 pixels every edge falls on a pixel border."""
    scale = size / SIZE
    premultiplied = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]
    for (x1, y1, x2, y2), colour in ICON_RECTS:
        for y in range(size):
            cover_y = overlap(y, y + 1, y1 * scale, y2 * scale)
            for x in range(size) if cover_y else ():
                a = cover_y * overlap(x, x + 1, x1 * scale, x2 * scale)
                r, g, b, alpha = premultiplied[y][x]
                premultiplied[y][x] = (colour[0] * a + r * (1 - a), colour[1] * a + g * (1 - a),
                                       colour[2] * a + b * (1 - a), a + alpha * (1 - a))
    return [[(round(r / a), round(g / a), round(b / a), round(a * 255)) if a else CLEAR
             for (r, g, b, a) in row] for row in premultiplied]


def icon_svg():
    """The program icon as a scalable picture of the same rectangles."""
    shapes = "".join(f'  <rect x="{x1}" y="{y1}" width="{x2 - x1}" height="{y2 - y1}" '
                     f'fill="#{r:02x}{g:02x}{b:02x}"/>\n' for (x1, y1, x2, y2), (r, g, b) in ICON_RECTS)
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{SIZE}" height="{SIZE}" '
            f'viewBox="0 0 {SIZE} {SIZE}">\n{shapes}</svg>\n')


def hand():
    img = canvas()
    fill_polygon(img, [(10, 1), (14, 1), (14, 12), (27, 13), (28, 24), (24, 31), (12, 31), (5, 19), (7, 16), (10, 19)],
                 (255, 255, 255, 255))
    return outline(img, (0, 0, 0, 255))


def drag():
    img = canvas()
    fill_polygon(img, [(16, 1), (24, 9), (19, 9), (19, 23), (24, 23), (16, 31), (8, 23), (13, 23), (13, 9), (8, 9)],
                 (255, 255, 255, 255))
    return outline(img, (0, 0, 0, 255))


def png(img):
    size = len(img)
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in img)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def icon_file(img, kind, hotspot=(0, 0)):
    """An ICO (kind 1) or CUR (kind 2) file with one 32 x 32 32-bit image."""
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in img[::-1] for (r, g, b, a) in row)
    mask = b"\x00" * (SIZE * 4)
    body = header + pixels + mask
    planes_or_x, bits_or_y = (1, 32) if kind == 1 else hotspot
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, planes_or_x, bits_or_y, len(body), 6 + 16)
    return struct.pack("<HHH", 0, kind, 1) + entry + body


def main(out_dir):
    out = Path(out_dir)
    (out / "images").mkdir(parents=True, exist_ok=True)
    (out / "images" / "arrow-up.png").write_bytes(png(arrow_up()))
    (out / "images" / "arrow-down.png").write_bytes(png(arrow_down()))
    (out / "images" / "plotvane.png").write_bytes(png(icon()))
    (out / "images" / "plotvane.ico").write_bytes(icon_file(icon(), 1))
    (out / "HAND-M.CUR").write_bytes(icon_file(hand(), 2, hotspot=(11, 1)))
    (out / "drag.ico").write_bytes(icon_file(drag(), 1))
    # The icon theme's sizes, installed for the desktop menus.
    (out / "icons").mkdir(exist_ok=True)
    for size in ICON_SIZES:
        (out / "icons" / f"plotvane-{size}.png").write_bytes(png(icon(size)))
    (out / "icons" / "plotvane.svg").write_text(icon_svg())


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "resources")
