#!/usr/bin/env python3
"""Makes the program's pictures from their readable sources.

    python3 res/mkpictures.py OUTDIR [--preview]

writes
    OUTDIR/hand_prev.bmp   the "previous month" button picture (hand pointing left)
    OUTDIR/hand_next.bmp   the "next month" button picture (the same hand mirrored)
    OUTDIR/purimo.ico      the application icon, 16, 32, 48 and 96 pixels, 32-bit with alpha
and with --preview also OUTDIR/icon_preview.png, every picture scaled up for looking at.

The hand is a character pixel map in hand.txt beside this script. The icon's 16-pixel image is
a pixel map too (icon16.txt); the larger ones are drawn below (draw_icon) with shapes measured
in a 16 x 16 grid and scaled to each size, anti-aliased by their distance to each pixel's
centre.

Standard library only.
"""

import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# The button pictures' 16 colors, in palette index order (R, G, B).
PALETTE = [
    (0x00, 0x00, 0x00),  # 0 black
    (0x80, 0x00, 0x00),  # 1 maroon
    (0x00, 0x80, 0x00),  # 2 green
    (0x80, 0x80, 0x00),  # 3 olive: the transparent color of the button pictures
    (0x00, 0x00, 0x80),  # 4 navy
    (0x80, 0x00, 0x80),  # 5 purple
    (0x00, 0x80, 0x80),  # 6 teal
    (0x7F, 0x7F, 0x7F),  # 7 gray
    (0xBF, 0xBF, 0xBF),  # 8 silver
    (0xFF, 0x00, 0x00),  # 9 red
    (0x00, 0xFF, 0x00),  # 10 lime
    (0xFF, 0xFF, 0x00),  # 11 yellow
    (0x00, 0x00, 0xFF),  # 12 blue
    (0xFF, 0x00, 0xFF),  # 13 fuchsia
    (0x00, 0xFF, 0xFF),  # 14 aqua
    (0xFF, 0xFF, 0xFF),  # 15 white
]
PALETTE_NAMES = ["black", "maroon", "green", "olive", "navy", "purple", "teal", "gray",
                 "silver", "red", "lime", "yellow", "blue", "fuchsia", "aqua", "white"]
BLACK, OLIVE, GRAY, WHITE = 0, 3, 7, 15
HAND_SIZE = 16
ICON_SIZES = (16, 32, 48, 96)


class PictureError(Exception):
    pass


# ---------------------------------------------------------------------------------------------
# Pixel maps
#
# A map file has comment lines starting with ';', legend lines "legend <char> <value> <name>"
# giving each character its color (the name may be several words), and pictures: a line "picture <name>" followed by its rows,
# one character per pixel, top row first.

def read_pixel_maps(path, color_of, width, height):
    """Reads a map file. color_of(value, name) turns a legend entry into a pixel value (or
    raises ValueError). Returns {picture name: rows of pixel values}."""
    legend = {}
    pictures = {}
    current = None
    base = os.path.basename(path)
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\r\n")
            where = "%s:%d" % (base, number)
            if not line.strip() or line.lstrip().startswith(";"):
                continue
            words = line.split()
            if words[0] == "legend":
                if len(words) < 4 or len(words[1]) != 1:
                    raise PictureError(where + ": expected 'legend <char> <value> <name>'")
                if words[1] in legend:
                    raise PictureError(where + ": character %r given twice" % words[1])
                try:
                    legend[words[1]] = color_of(words[2], " ".join(words[3:]))
                except ValueError as e:
                    raise PictureError("%s: %s" % (where, e))
                continue
            if words[0] == "picture":
                if len(words) != 2:
                    raise PictureError(where + ": expected 'picture <name>'")
                current = words[1]
                if current in pictures:
                    raise PictureError(where + ": picture %s given twice" % current)
                pictures[current] = []
                continue
            if current is None:
                raise PictureError(where + ": pixel row outside a picture")
            row = line.strip()
            if len(row) != width:
                raise PictureError(where + ": row has %d pixels, not %d" % (len(row), width))
            if len(pictures[current]) == height:
                raise PictureError(where + ": picture %s has more than %d rows"
                                   % (current, height))
            try:
                pictures[current].append([legend[c] for c in row])
            except KeyError as e:
                raise PictureError(where + ": character %s is not in the legend" % e)
    for name, rows in pictures.items():
        if len(rows) != height:
            raise PictureError("%s: picture %s has %d rows, not %d"
                               % (base, name, len(rows), height))
    return pictures


def _palette_index(value, name):
    index = int(value)
    if not 0 <= index < 16 or PALETTE_NAMES[index] != name:
        raise ValueError("%s is not palette index %s" % (name, value))
    return index


def _rgba(value, name):
    if len(value) != 8:
        raise ValueError("color %s of %s is not RRGGBBAA" % (value, name))
    n = int(value, 16)
    return (n >> 24, (n >> 16) & 255, (n >> 8) & 255, n & 255)


def read_hand_map(path):
    """Reads hand.txt. Returns {"enabled": rows, "disabled": rows or None}, rows being lists of
    palette indices, top row first."""
    pictures = read_pixel_maps(path, _palette_index, HAND_SIZE, HAND_SIZE)
    unknown = set(pictures) - {"enabled", "disabled"}
    if unknown:
        raise PictureError("%s: unknown picture %s" % (path, ", ".join(sorted(unknown))))
    if "enabled" not in pictures:
        raise PictureError(path + ": no enabled picture")
    return {"enabled": pictures["enabled"], "disabled": pictures.get("disabled")}


def disabled_from(enabled):
    """The greyed picture the way Windows greys a button picture: every black pixel becomes a
    gray outline pixel, with a white highlight one pixel below and to the right of it where
    that spot is not itself outline; everything else is the transparent background."""
    n = HAND_SIZE
    out = [[OLIVE] * n for _ in range(n)]
    for y in range(n):
        for x in range(n):
            if enabled[y][x] == BLACK:
                out[y][x] = GRAY
            elif x > 0 and y > 0 and enabled[y - 1][x - 1] == BLACK:
                out[y][x] = WHITE
    return out


def hand_bitmaps(hand):
    """The two 32 x 16 button pictures (rows of palette indices, top row first): enabled
    picture left, disabled right; the "next" picture is each half mirrored."""
    enabled = hand["enabled"]
    disabled = hand["disabled"] or disabled_from(enabled)
    prev = [enabled[y] + disabled[y] for y in range(HAND_SIZE)]
    nxt = [enabled[y][::-1] + disabled[y][::-1] for y in range(HAND_SIZE)]
    # The button takes the bottom-left pixel's color as transparent, so it must be the
    # background; check both bottom corners of each half, as mirroring swaps them.
    for name, rows in (("enabled", enabled), ("disabled", disabled)):
        if rows[-1][0] != OLIVE or rows[-1][-1] != OLIVE:
            raise PictureError("the %s hand's bottom corners must be olive" % name)
    return prev, nxt


def bmp_4bit(rows):
    """A 4-bit BMP file with the 16-color palette."""
    height = len(rows)
    width = len(rows[0])
    stride = ((width * 4 + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray(stride)
        for x, index in enumerate(row):
            if x % 2 == 0:
                line[x // 2] = index << 4
            else:
                line[x // 2] |= index
        pixels += line
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels),
                       3780, 3780, 16, 0)  # 3780 pixels per metre = 96 dpi
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + bytes(pixels)


# ---------------------------------------------------------------------------------------------
# The icon: a calendar page with a thermometer standing in front of its right edge.
#
# Shapes are measured in units of a 16 x 16 grid (y down); one unit is size/16 pixels, so the
# straight edges fall on pixel boundaries at every size. Each shape gives a signed distance in
# pixels (negative inside); a pixel's coverage is 0.5 minus the distance at its centre.

def _box(px, py, x0, y0, x1, y1, r):
    """Signed distance to a rectangle with corners rounded by r."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r
    dx, dy = abs(px - cx) - hx, abs(py - cy) - hy
    outside = math.hypot(max(dx, 0.0), max(dy, 0.0))
    return outside + min(max(dx, dy), 0.0) - r


def _circle(px, py, cx, cy, r):
    return math.hypot(px - cx, py - cy) - r


def _capsule(px, py, x, y0, y1, r):
    """Signed distance to a vertical stroke from (x, y0) to (x, y1) with round ends."""
    cy = min(max(py, y0), y1)
    return math.hypot(px - x, py - cy) - r


# colors, (R, G, B)
INK = (0x3C, 0x3C, 0x46)          # outlines
PAPER = (0xFF, 0xFF, 0xFF)
HEADER = (0xE6, 0x4B, 0x8C)       # the calendar's top band: the product's pink
HEADER_DARK = (0xB0, 0x2A, 0x66)
CELL = (0xC4, 0xC8, 0xD2)
MARK = (0xE6, 0x4B, 0x8C)         # one marked day
GLASS = (0xF4, 0xFA, 0xFF)
MERCURY = (0xE0, 0x1E, 0x1E)
MERCURY_LIGHT = (0xFF, 0x8A, 0x7A)
TICK = (0x8A, 0x92, 0xA0)


def _icon_layers(size):
    """The shapes of the icon, back to front: (color, distance function of a pixel centre)."""
    u = size / 16.0                      # pixels per unit
    line = max(1.0, round(size / 32.0))  # outline width in pixels: 1, 2 and 3 at 32, 48, 96

    def U(v):
        return v * u

    layers = []

    def add(color, fn):
        layers.append((color, fn))

    # The calendar page: an outlined sheet with a pink band at the top.
    px0, py0, px1, py1 = U(0), U(2), U(11), U(16)
    radius = U(1)
    add(INK, lambda x, y: _box(x, y, px0, py0, px1, py1, radius))
    ix0, iy0, ix1, iy1 = px0 + line, py0 + line, px1 - line, py1 - line
    inner_r = max(radius - line, 0.0)
    band_bottom = U(6)
    add(PAPER, lambda x, y: _box(x, y, ix0, iy0, ix1, iy1, inner_r))
    add(HEADER, lambda x, y: max(_box(x, y, ix0, iy0, ix1, iy1, inner_r), y - band_bottom))
    add(HEADER_DARK, lambda x, y: max(_box(x, y, ix0, iy0, ix1, iy1, inner_r),
                                      abs(y - (band_bottom - line / 2)) - line / 2))
    # Two binding rings over the top edge.
    ring_r = max(line, U(0.5)) / 2 + 0.5
    for rx in (U(3.5), U(7.5)):
        add(INK, lambda x, y, rx=rx: _capsule(x, y, rx, U(1) + ring_r, U(4) - ring_r, ring_r))
    # Day cells, four columns by three rows, one of them marked; whole pixels, so that they
    # stay sharp and evenly spaced at every size.
    cell = round(U(1.25))
    columns = [round(U(1.75)) + i * round(U(2.25)) for i in range(4)]
    rows = [round(U(7.5)) + i * round(U(2.5)) for i in range(3)]
    for r, cy in enumerate(rows):
        for c, cx in enumerate(columns):
            color = MARK if (r, c) == (1, 2) else CELL
            add(color, lambda x, y, cx=cx, cy=cy: _box(x, y, cx, cy, cx + cell, cy + cell,
                                                        cell / 5))
    # The thermometer: a glass tube with a round bulb standing in front of the page's right
    # edge, with a ring of paper round it to keep the two apart.
    tx, tube_r, top = U(13), U(2), U(0.5)
    bulb_y, bulb_r = U(12.5), U(2.5)
    halo = max(1.0, line)

    def glass(x, y, grow=0.0):
        return min(_capsule(x, y, tx, top + tube_r, bulb_y, tube_r + grow),
                   _circle(x, y, tx, bulb_y, bulb_r + grow))

    add(PAPER, lambda x, y: glass(x, y, halo))
    add(INK, lambda x, y: glass(x, y))
    add(GLASS, lambda x, y: glass(x, y, -line))
    # scale marks on the glass
    for ty in (U(3), U(4.5), U(6)):
        add(TICK, lambda x, y, ty=ty: _box(x, y, tx - tube_r + line, ty,
                                           tx - U(0.5), ty + line, 0.0))
    # the mercury: a column most of the way up and the bulb full of it
    merc_r = max(U(0.5), 1.0)
    gap = max(1.0, U(0.25))              # glass showing round the mercury in the bulb
    add(MERCURY, lambda x, y: min(_capsule(x, y, tx, U(5), bulb_y, merc_r),
                                  _circle(x, y, tx, bulb_y, bulb_r - line - gap)))
    add(MERCURY_LIGHT, lambda x, y: _circle(x, y, tx - U(0.6), bulb_y - U(0.6), U(0.45)))
    return layers


def read_small_icon(path):
    """The hand-drawn 16-pixel icon from icon16.txt: rows of (R, G, B, A)."""
    pictures = read_pixel_maps(path, _rgba, 16, 16)
    if "16" not in pictures:
        raise PictureError(path + ": no picture 16")
    return pictures["16"]


def draw_icon(size):
    """The icon at one size: rows of (R, G, B, A), top row first."""
    layers = _icon_layers(size)
    image = []
    for py in range(size):
        row = []
        for px in range(size):
            x, y = px + 0.5, py + 0.5
            r = g = b = a = 0.0  # premultiplied
            for color, fn in layers:
                cover = min(max(0.5 - fn(x, y), 0.0), 1.0)
                if cover <= 0.0:
                    continue
                keep = 1.0 - cover
                r = color[0] * cover + r * keep
                g = color[1] * cover + g * keep
                b = color[2] * cover + b * keep
                a = cover + a * keep
            if a > 0:
                row.append((round(r / a), round(g / a), round(b / a), round(a * 255)))
            else:
                row.append((0, 0, 0, 0))
        image.append(row)
    return image


def ico_file(images):
    """An .ico file: each image stored as a 32-bit BGRA DIB with its AND mask."""
    entries = []
    blobs = []
    for image in images:
        size = len(image)
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        xor = bytearray()
        for row in reversed(image):
            for r, g, b, a in row:
                xor += bytes((b, g, r, a))
        mask_stride = ((size + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(image):
            line = bytearray(mask_stride)
            for x, (_, _, _, a) in enumerate(row):
                if a == 0:
                    line[x // 8] |= 0x80 >> (x % 8)
            mask += line
        blobs.append(info + bytes(xor) + bytes(mask))
        entries.append(size)
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    directory = bytearray()
    for size, blob in zip(entries, blobs):
        dim = 0 if size >= 256 else size
        directory += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return header + bytes(directory) + b"".join(blobs)


# ---------------------------------------------------------------------------------------------
# The preview

def png_file(pixels):
    """A PNG file (8-bit RGBA) from rows of (R, G, B, A)."""
    height, width = len(pixels), len(pixels[0])
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for p in row:
            raw += bytes(p)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def preview(hand_prev, hand_next, icons):
    face = (0xF0, 0xF0, 0xF0, 255)
    width, height = 1100, 600
    canvas = [[(0xE0, 0xE0, 0xE0, 255)] * width for _ in range(height)]

    def put(x0, y0, rows, scale, bg=None):
        for y, row in enumerate(rows):
            for x, p in enumerate(row):
                if bg is not None:
                    a = p[3] / 255.0
                    p = tuple(round(p[i] * a + bg[i] * (1 - a)) for i in range(3)) + (255,)
                for dy in range(scale):
                    line = canvas[y0 + y * scale + dy]
                    for dx in range(scale):
                        line[x0 + x * scale + dx] = p

    def button(rows, transparent):
        key = rows[-1][0]
        return [[(face if (i == key and transparent) else PALETTE[i] + (255,)) for i in row]
                for row in rows]

    # the hands: as stored (olive showing), and as the button shows them
    put(10, 10, button(hand_prev, False), 8)
    put(280, 10, button(hand_next, False), 8)
    put(550, 10, button(hand_prev, True), 8)
    put(820, 10, button(hand_next, True), 8)
    for i, rows in enumerate((hand_prev, hand_next)):
        put(10 + 40 * i, 150, button(rows, True), 1)
    # the icons: actual size on light and dark, then enlarged
    x = 10
    for image in icons:
        size = len(image)
        put(x, 180, image, 1, (0xFF, 0xFF, 0xFF))
        put(x, 285, image, 1, (0x20, 0x30, 0x50))
        x += size + 10
    x = 10
    for image in icons:
        scale = max(1, 192 // len(image))
        put(x, 395, image, scale, (0xFF, 0xFF, 0xFF))
        x += len(image) * scale + 10
    return png_file(canvas)


def main(argv):
    args = [a for a in argv[1:] if not a.startswith("--")]
    if len(args) != 1:
        sys.stderr.write(__doc__)
        return 2
    outdir = args[0]
    os.makedirs(outdir, exist_ok=True)
    try:
        hand = read_hand_map(os.path.join(HERE, "hand.txt"))
        hand_prev, hand_next = hand_bitmaps(hand)
        icons = [read_small_icon(os.path.join(HERE, "icon16.txt"))]
    except PictureError as e:
        sys.stderr.write("mkpictures: %s\n" % e)
        return 1
    icons += [draw_icon(size) for size in ICON_SIZES if size != 16]
    outputs = {
        "hand_prev.bmp": bmp_4bit(hand_prev),
        "hand_next.bmp": bmp_4bit(hand_next),
        "purimo.ico": ico_file(icons),
    }
    if "--preview" in argv:
        outputs["icon_preview.png"] = preview(hand_prev, hand_next, icons)
    for name, data in outputs.items():
        # write through a temporary name so a failed run never leaves half a file behind
        path = os.path.join(outdir, name)
        with open(path + ".tmp", "wb") as f:
            f.write(data)
        os.replace(path + ".tmp", path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
