#!/usr/bin/env python3
"""Draws the pictures every album carries and writes them to resources/album/.

    tools/make-album-icons.py [output-folder]

home.gif, prev.gif, next.gif and index.gif are 30 x 30 navigation buttons; main.png is the
48 x 48 default category picture, a folder holding photos. The shapes are described here
as geometry and rendered with 4 x 4 supersampling, so running the script again gives the
same bytes. Only the standard library is used: the GIF LZW encoder and the PNG chunks are
written by hand.
"""

import math
import os
import struct
import sys
import zlib

SUPERSAMPLE = 4

# --- geometry -------------------------------------------------------------------------------


def inside_polygon(x, y, points):
    hit = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            hit = not hit
        j = i
    return hit


def inside_rounded_rect(x, y, left, top, right, bottom, radius):
    if x < left or x > right or y < top or y > bottom:
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def inside_circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def coverage(width, height, shape):
    """Fraction of every pixel that the shape covers, row by row."""
    rows = []
    n = SUPERSAMPLE
    for py in range(height):
        row = []
        for px in range(width):
            hits = 0
            for sy in range(n):
                for sx in range(n):
                    if shape(px + (sx + 0.5) / n, py + (sy + 0.5) / n):
                        hits += 1
            row.append(hits / (n * n))
        rows.append(row)
    return rows


def blend(under, over, amount):
    return tuple(round(u + (o - u) * amount) for u, o in zip(under, over))


# --- the navigation buttons ----------------------------------------------------------------

BUTTON = (236, 241, 247)
BUTTON_EDGE = (122, 138, 160)
GLYPH = (38, 62, 99)
SIZE = 30


def button_shape(x, y):
    return inside_rounded_rect(x, y, 0.5, 0.5, SIZE - 0.5, SIZE - 0.5, 6)


def button_inner(x, y):
    return inside_rounded_rect(x, y, 1.5, 1.5, SIZE - 1.5, SIZE - 1.5, 5)


def arrow(pointing_right):
    head = [(17.5, 6.5), (17.5, 23.5), (26, 15)]
    shaft = [(6, 12), (18, 12), (18, 18), (6, 18)]

    def shape(x, y):
        if not pointing_right:
            x = SIZE - x
        return inside_polygon(x, y, head) or inside_polygon(x, y, shaft)

    return shape


def house(x, y):
    roof = [(15, 5), (26, 15.5), (22.5, 15.5), (15, 8.8), (7.5, 15.5), (4, 15.5)]
    # A thin gap under the roof keeps the gable apart from it at this size.
    walls = inside_polygon(x, y, [(9, 25), (9, 16.6), (15, 11.3), (21, 16.6), (21, 25)])
    door = 13.2 <= x <= 16.8 and 18.5 <= y <= 25
    chimney = 19.5 <= x <= 22 and 6.5 <= y <= 11.2 and not inside_polygon(
        x, y, [(15, 8.8), (22.5, 15.5), (7.5, 15.5)])
    return inside_polygon(x, y, roof) or (walls and not door) or chimney


def grid(x, y):
    for row in range(3):
        for column in range(3):
            left = 6.5 + column * 6.2
            top = 6.5 + row * 6.2
            if inside_rounded_rect(x, y, left, top, left + 4.8, top + 4.8, 0.8):
                return True
    return False


def button_picture(glyph):
    """Pixels as RGB tuples, None where the button leaves the page showing through."""
    outer = coverage(SIZE, SIZE, button_shape)
    inner = coverage(SIZE, SIZE, button_inner)
    mark = coverage(SIZE, SIZE, glyph)
    pixels = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            if outer[y][x] < 0.5:
                row.append(None)
                continue
            # A faint top-to-bottom shade gives the button some depth.
            face = blend(BUTTON, (214, 223, 234), y / (SIZE - 1))
            colour = blend(BUTTON_EDGE, face, inner[y][x])
            row.append(blend(colour, GLYPH, mark[y][x]))
        pixels.append(row)
    return pixels


# --- the default category picture ----------------------------------------------------------

FOLDER_BACK = (214, 160, 58)
FOLDER_FRONT = (244, 196, 86)
FOLDER_EDGE = (150, 104, 28)
PAPER = (255, 255, 255)
SKY = (120, 180, 232)
HILL = (84, 150, 76)
FAR_HILL = (60, 118, 64)
SUN = (255, 214, 64)
PHOTO_EDGE = (140, 140, 140)


def category_picture():
    big = 48
    layers = []

    def add(shape, colour):
        layers.append((coverage(big, big, shape), colour))

    back = [(3, 10), (18, 10), (22, 14), (45, 14), (45, 42), (3, 42)]
    add(lambda x, y: inside_polygon(x, y, back), FOLDER_EDGE)
    add(lambda x, y: inside_polygon(x, y, [(4, 11), (17.5, 11), (21.5, 15), (44, 15),
                                           (44, 41), (4, 41)]), FOLDER_BACK)

    # Two photos standing in the folder, the rear one tilted.
    def tilted(margin):
        def shape(x, y):
            angle = math.radians(-10)
            cx, cy = 20, 22
            dx, dy = x - cx, y - cy
            rx = dx * math.cos(angle) - dy * math.sin(angle) + cx
            ry = dx * math.sin(angle) + dy * math.cos(angle) + cy
            return 8 + margin <= rx <= 30 - margin and 10 + margin <= ry <= 32 - margin

        return shape

    add(tilted(0), PHOTO_EDGE)
    add(tilted(1), PAPER)
    add(tilted(3), (200, 214, 230))
    add(lambda x, y: 14 <= x <= 40 and 7 <= y <= 31, PHOTO_EDGE)
    add(lambda x, y: 15 <= x <= 39 and 8 <= y <= 30, PAPER)
    add(lambda x, y: 17 <= x <= 37 and 10 <= y <= 28, SKY)
    add(lambda x, y: inside_circle(x, y, 32, 14.5, 2.6), SUN)
    add(lambda x, y: 17 <= x <= 37 and 10 <= y <= 28 and
        inside_polygon(x, y, [(17, 28), (17, 22), (23, 15.5), (30, 23), (30, 28)]), FAR_HILL)
    add(lambda x, y: 17 <= x <= 37 and 10 <= y <= 28 and
        inside_polygon(x, y, [(22, 28), (29, 20), (37, 25), (37, 28)]), HILL)

    front = [(2, 22), (46, 22), (43, 43), (5, 43)]
    add(lambda x, y: inside_polygon(x, y, front), FOLDER_EDGE)
    add(lambda x, y: inside_polygon(x, y, [(3.2, 23), (44.8, 23), (42.1, 42), (5.9, 42)]),
        FOLDER_FRONT)

    pixels = []
    for y in range(big):
        row = []
        for x in range(big):
            colour = (0, 0, 0)
            alpha = 0.0
            for cover, paint in layers:
                a = cover[y][x]
                if a == 0:
                    continue
                # Porter-Duff "over" on straight colours.
                out_alpha = a + alpha * (1 - a)
                colour = tuple(
                    (p * a + c * alpha * (1 - a)) / out_alpha for p, c in zip(paint, colour))
                alpha = out_alpha
            row.append((*(round(c) for c in colour), round(alpha * 255)))
        pixels.append(row)
    return pixels


# --- GIF ------------------------------------------------------------------------------------


def lzw_codes(indices, min_code_size):
    clear = 1 << min_code_size
    end = clear + 1
    codes = [(clear, min_code_size + 1)]
    table = {(i,): i for i in range(clear)}
    next_code = end + 1
    width = min_code_size + 1
    current = ()
    for index in indices:
        candidate = current + (index,)
        if candidate in table:
            current = candidate
            continue
        codes.append((table[current], width))
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            # The decoder widens its codes one entry later than the encoder adds it.
            if next_code - 1 == (1 << width) and width < 12:
                width += 1
        else:
            codes.append((clear, width))
            table = {(i,): i for i in range(clear)}
            next_code = end + 1
            width = min_code_size + 1
        current = (index,)
    if current:
        codes.append((table[current], width))
    codes.append((end, width))
    return codes


def pack_codes(codes):
    out = bytearray()
    buffer = 0
    bits = 0
    for code, width in codes:
        buffer |= code << bits
        bits += width
        while bits >= 8:
            out.append(buffer & 0xFF)
            buffer >>= 8
            bits -= 8
    if bits:
        out.append(buffer & 0xFF)
    return bytes(out)


def gif_bytes(pixels):
    height = len(pixels)
    width = len(pixels[0])
    colours = sorted({p for row in pixels for p in row if p is not None})
    if len(colours) > 255:
        raise SystemExit("too many colours for one GIF palette: %d" % len(colours))
    transparent = len(colours)
    palette = colours + [(255, 255, 255)]
    size_bits = max(1, math.ceil(math.log2(len(palette))))
    palette += [(0, 0, 0)] * ((1 << size_bits) - len(palette))
    lookup = {c: i for i, c in enumerate(colours)}
    indices = [transparent if p is None else lookup[p] for row in pixels for p in row]

    min_code_size = max(2, size_bits)
    data = pack_codes(lzw_codes(indices, min_code_size))

    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", width, height, 0x80 | (size_bits - 1), transparent, 0)
    for colour in palette:
        out += bytes(colour)
    # Graphic control extension: no disposal, no delay, the transparent index.
    out += b"\x21\xF9\x04\x01\x00\x00" + bytes([transparent]) + b"\x00"
    out += b"\x2C" + struct.pack("<HHHHB", 0, 0, width, height, 0)
    out.append(min_code_size)
    for start in range(0, len(data), 255):
        block = data[start:start + 255]
        out.append(len(block))
        out += block
    out += b"\x00\x3B"
    return bytes(out)


# --- PNG ------------------------------------------------------------------------------------


def png_chunk(kind, payload):
    return (struct.pack(">I", len(payload)) + kind + payload +
            struct.pack(">I", zlib.crc32(kind + payload) & 0xFFFFFFFF))


def png_bytes(pixels):
    height = len(pixels)
    width = len(pixels[0])
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for pixel in row:
            raw += bytes(pixel)
    return (b"\x89PNG\r\n\x1a\n" +
            png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + png_chunk(b"IEND", b""))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "album")
    os.makedirs(folder, exist_ok=True)
    files = {
        "home.gif": gif_bytes(button_picture(house)),
        "prev.gif": gif_bytes(button_picture(arrow(False))),
        "next.gif": gif_bytes(button_picture(arrow(True))),
        "index.gif": gif_bytes(button_picture(grid)),
        "main.png": png_bytes(category_picture()),
    }
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
        print("%s: %d bytes" % (name, len(data)))


if __name__ == "__main__":
    main()
