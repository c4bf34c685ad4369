#!/usr/bin/env python3
"""Draws Velmora's artwork: velmora.ico, hand.cur and banner.jpg.

Run from anywhere:

    python3 resources/make_resources.py

It rewrites the three files next to this script, byte for byte the same on
every run with the same ImageMagick and fonts.  The icon and the cursor are
written here by hand with struct: every entry is a plain DIB (no PNG
entries), so the oldest icon readers and windres take them as they are.  The
banner needs ImageMagick's `convert` for its lettering and the JPEG encoder,
and the DejaVu fonts (Debian package fonts-dejavu-core).

Pass --preview DIR to also get PNG copies of every icon size, for looking at.
"""

import argparse
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

BANNER_WIDTH = 275
BANNER_HEIGHT = 85

# The house colours: a blue document sheet and an orange name tag.
INK = (0x23, 0x45, 0x7A)
PAPER_TOP = (0xFF, 0xFF, 0xFF)
PAPER_BOTTOM = (0xE3, 0xEC, 0xF8)
FOLD = (0xB9, 0xCD, 0xE8)
TEXT_LINE = (0x86, 0xA5, 0xD1)
TAG_LIGHT = (0xFF, 0xB4, 0x3C)
TAG_DARK = (0xEE, 0x6A, 0x1A)
TAG_INK = (0x9C, 0x43, 0x0B)
STRING = (0x5A, 0x3A, 0x1E)
WHITE = (0xFF, 0xFF, 0xFF)
BLACK = (0x00, 0x00, 0x00)


# --------------------------------------------------------------------------
# Signed distance shapes, in the icon's unit square (y grows downwards).
# Negative inside.  Anti-aliasing comes from the distance at the pixel centre,
# which is both cheap and crisp on edges that sit on the pixel grid.

def sd_polygon(pts):
    n = len(pts)

    def f(x, y):
        d = (x - pts[0][0]) ** 2 + (y - pts[0][1]) ** 2
        inside = False
        j = n - 1
        for i in range(n):
            xi, yi = pts[i]
            xj, yj = pts[j]
            ex, ey = xj - xi, yj - yi
            wx, wy = x - xi, y - yi
            ee = ex * ex + ey * ey
            t = 0.0 if ee == 0 else max(0.0, min(1.0, (wx * ex + wy * ey) / ee))
            bx, by = wx - ex * t, wy - ey * t
            d = min(d, bx * bx + by * by)
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                inside = not inside
            j = i
        d = math.sqrt(d)
        return -d if inside else d

    return f


def sd_circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def sd_capsule(ax, ay, bx, by, r):
    def f(x, y):
        px, py = x - ax, y - ay
        ex, ey = bx - ax, by - ay
        t = max(0.0, min(1.0, (px * ex + py * ey) / (ex * ex + ey * ey)))
        return math.hypot(px - ex * t, py - ey * t) - r

    return f


def subtract(f, g):
    return lambda x, y: max(f(x, y), -g(x, y))


def grow(f, d):
    """Moves the outline out by d (in by -d); growing a sharp outline rounds
    its corners."""
    return lambda x, y: f(x, y) - d


def rotate_pts(pts, cx, cy, angle):
    c, s = math.cos(angle), math.sin(angle)
    return [(cx + u * c - v * s, cy + u * s + v * c) for u, v in pts]


def lerp(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


class Canvas:
    """Straight-alpha RGBA floats, composited with 'over'."""

    def __init__(self, w, h, fill=(0.0, 0.0, 0.0, 0.0)):
        self.w, self.h = w, h
        self.px = [list(fill) for _ in range(w * h)]

    def paint(self, sd, colour, scale, soft=0.0, opacity=1.0, bbox=None):
        """sd: unit-space distance; colour: (r,g,b) or f(x, y) -> (r,g,b);
        scale: pixels per unit; soft: extra blur width in pixels."""
        x0, y0, x1, y1 = 0, 0, self.w, self.h
        if bbox:
            x0 = max(0, int(bbox[0] * scale) - 2)
            y0 = max(0, int(bbox[1] * scale) - 2)
            x1 = min(self.w, int(bbox[2] * scale) + 3)
            y1 = min(self.h, int(bbox[3] * scale) + 3)
        width = 1.0 + soft
        for py in range(y0, y1):
            uy = (py + 0.5) / scale
            for px in range(x0, x1):
                ux = (px + 0.5) / scale
                d = sd(ux, uy) * scale
                a = 0.5 - d / width
                if a <= 0.0:
                    continue
                a = min(1.0, a) * opacity
                c = colour(ux, uy) if callable(colour) else colour
                self.over(px, py, c, a)

    def over(self, x, y, c, a):
        p = self.px[y * self.w + x]
        da = p[3]
        oa = a + da * (1.0 - a)
        if oa <= 0.0:
            return
        for i in range(3):
            p[i] = (c[i] * a + p[i] * da * (1.0 - a)) / oa
        p[3] = oa

    def rgba8(self):
        out = []
        for r, g, b, a in self.px:
            out.append((round(r), round(g), round(b), round(a * 255)))
        return out


# --------------------------------------------------------------------------
# The icon: a document sheet with a folded corner and lines of text, and an
# orange name tag hanging over its lower right corner.  Drawn afresh at every
# size, with edges snapped to whole pixels, rather than scaled down from the
# largest, so the small sizes stay sharp.

# The 16-pixel sheet, placed pixel by pixel: B outline, W paper, F the fold,
# L a line of text.
SHEET_16 = """
.BBBBBBBB.......
.BWWWWWWBB......
.BWWWWWWBFB.....
.BWWWWWWBFFB....
.BWWWWWWBBBBB...
.BWWWWWWWWWWB...
.BWLLLLLLLWWB...
.BWWWWWWWWWWB...
.BWLLLLLLWWWB...
.BWWWWWWWWWWB...
.BWLLLLLLLWWB...
.BWWWWWWWWWWB...
.BWLLLLWWWWWB...
.BWWWWWWWWWWB...
.BWWWWWWWWWWB...
.BBBBBBBBBBBB...
""".split()

# The 16-pixel tag over it: O outline, T its face, t the shaded lower edge,
# W the name written on it, and '_' the hole, through which the sheet shows.
TAG_16 = """
................
................
................
................
................
................
................
................
.......OOOOOOOO.
......OTTTTTTTO.
.....OTTTTTTTTO.
.....OT_TWWWWTO.
.....OTTTTTTTTO.
......OtttttttO.
.......OOOOOOOO.
................
""".split()


def draw_16(cv, mono):
    colours = {'B': BLACK if mono else INK, 'F': WHITE if mono else FOLD,
               'L': BLACK if mono else TEXT_LINE}
    for y, row in enumerate(SHEET_16):
        for x, ch in enumerate(row):
            if ch == '.':
                continue
            paper = WHITE if mono else lerp(PAPER_TOP, PAPER_BOTTOM, y / 15.0)
            cv.over(x, y, colours.get(ch, paper), 1.0)
    colours = {'O': BLACK if mono else TAG_INK, 'T': BLACK if mono else lerp(TAG_LIGHT, TAG_DARK, 0.3),
               't': BLACK if mono else TAG_DARK, 'W': WHITE}
    for y, row in enumerate(TAG_16):
        for x, ch in enumerate(row):
            if ch in colours:
                cv.over(x, y, colours[ch], 1.0)


def draw_sheet(cv, size, mono, shadow):
    s = float(size)
    px = 1.0 / s

    def snap(v):
        return round(v * s) / s

    stroke = max(px, snap(0.035)) if not mono else px
    x0, y0 = snap(0.14), snap(0.05)
    x1, y1 = snap(0.74), snap(0.92)
    fold = snap(0.19)
    r = 0.0 if size < 48 else 0.025
    pts = [(x0 + r, y0 + r), (x1 - fold, y0 + r), (x1 - r, y0 + fold), (x1 - r, y1 - r), (x0 + r, y1 - r)]
    sheet = grow(sd_polygon(pts), r)
    bbox = (x0, y0, x1, y1)

    if shadow and not mono:
        off = max(px, 0.02)
        moved = [(x + off, y + off * 1.5) for x, y in pts]
        cv.paint(grow(sd_polygon(moved), r), BLACK, s, soft=max(1.0, size / 40.0), opacity=0.28,
                 bbox=(x0, y0, x1 + 2 * off, y1 + 3 * off))

    if mono:
        cv.paint(sheet, BLACK, s, bbox=bbox)
        cv.paint(grow(sheet, -stroke), WHITE, s, bbox=bbox)
    else:
        cv.paint(sheet, INK, s, bbox=bbox)
        cv.paint(grow(sheet, -stroke), lambda x, y: lerp(PAPER_TOP, PAPER_BOTTOM, (y - y0) / (y1 - y0)),
                 s, bbox=bbox)

    # The folded corner, its outline inside it as the sheet's is, so both
    # land on the same pixels.
    fold_sd = sd_polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)])
    cv.paint(fold_sd, BLACK if mono else INK, s, bbox=bbox)
    cv.paint(grow(fold_sd, -stroke), WHITE if mono else FOLD, s, bbox=bbox)

    # Lines of text; the top one stops short of the fold.
    colour = BLACK if mono else TEXT_LINE
    count = 5 if size >= 64 else 4
    top, bottom = y0 + 0.27, y1 - 0.14
    thick = max(px, snap(0.045)) if not mono else px
    left = x0 + max(2 * px, snap(0.10))
    lengths = [0.42, 0.36, 0.42, 0.26, 0.32]
    for i in range(count):
        y = snap(top + (bottom - top) * i / (count - 1))
        right = x1 - fold - max(2 * px, 0.05) if i == 0 else left + lengths[i]
        h = thick / 2
        if size >= 48:
            line = sd_capsule(left + h, y + h, right - h, y + h, h)
        else:
            line = sd_polygon([(left, y), (right, y), (right, y + thick), (left, y + thick)])
        cv.paint(line, colour, s, bbox=bbox)


def draw_icon(size, mono=False, shadow=True):
    cv = Canvas(size, size)
    s = float(size)
    px = 1.0 / s
    shadow = shadow and not mono
    if size <= 16:
        # Tilted edges turn to mush at this size; it is drawn level instead.
        draw_16(cv, mono)
        return cv
    draw_sheet(cv, size, mono, shadow)

    # The tag, pointing up and to the left, with a hole near its point.
    angle = math.radians(40)
    length, half, point = 0.58, 0.155, 0.15
    cx, cy = 0.64, 0.67
    u0 = -length / 2
    # Rounded corners come from growing a smaller outline, so shrink it first.
    r = 0.02
    body = [(u0 + r * 2.2, 0.0), (u0 + point, -half + r), (length / 2 - r, -half + r),
            (length / 2 - r, half - r), (u0 + point, half - r)]
    tag_pts = rotate_pts(body, cx, cy, angle)
    hx, hy = rotate_pts([(u0 + point * 0.95, 0.0)], cx, cy, angle)[0]
    hole = sd_circle(hx, hy, max(px, 0.045))
    tag = subtract(grow(sd_polygon(tag_pts), r), hole)
    xs = [p[0] for p in tag_pts]
    ys = [p[1] for p in tag_pts]
    tb = (min(xs) - 0.05, min(ys) - 0.05, max(xs) + 0.05, max(ys) + 0.05)

    if shadow:
        off = max(px, 0.02)
        cv.paint(lambda x, y: tag(x - off, y - off * 1.5), BLACK, s,
                 soft=max(1.0, size / 40.0), opacity=0.30, bbox=(tb[0], tb[1], tb[2] + 0.05, tb[3] + 0.05))
    if mono:
        cv.paint(tag, BLACK, s, bbox=tb)
        cv.paint(grow(tag, -1.5 * px), WHITE, s, bbox=tb)
    else:
        stroke = max(px, round(0.035 * s) / s)
        ca, sa = math.cos(angle), math.sin(angle)

        def tag_fill(x, y):
            # Lighter along the upper edge, as if lit from above.
            v = -(x - cx) * sa + (y - cy) * ca
            return lerp(TAG_LIGHT, TAG_DARK, (v + half) / (2 * half))

        cv.paint(tag, TAG_INK, s, bbox=tb)
        cv.paint(grow(tag, -stroke), tag_fill, s, bbox=tb)

    # The tag's text: the name that goes into every file.
    # In two colours it would only crowd the outline.
    if not mono:
        mark = [(u0 + point + 0.08, 0.0), (length / 2 - 0.09, 0.0)]
        (ax, ay), (bx, by) = rotate_pts(mark, cx, cy, angle)
        cv.paint(sd_capsule(ax, ay, bx, by, max(0.5 * px, 0.02)), WHITE, s, bbox=tb)

    # The string through the hole, looping up over the sheet.
    if size >= 48 and not mono:
        pts = []
        for i in range(25):
            t = i / 24.0
            a = math.radians(200 + 150 * t)
            pts.append((hx - 0.10 + 0.11 * math.cos(a) + 0.02 * t, hy - 0.02 + 0.13 * math.sin(a) + 0.05 * t))
        w = max(0.6 * px, 0.012)
        for (ax, ay), (bx, by) in zip(pts, pts[1:]):
            cv.paint(sd_capsule(ax, ay, bx, by, w), STRING, s,
                     bbox=(min(ax, bx) - 0.02, min(ay, by) - 0.02, max(ax, bx) + 0.02, max(ay, by) + 0.02))
    return cv


# --------------------------------------------------------------------------
# Colour reduction for the palette entries.

def median_cut(colours, n):
    """colours: {(r,g,b): count}.  Returns at most n colours."""
    boxes = [list(colours.items())]
    while len(boxes) < n:
        best, best_range, best_ch = None, -1, 0
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for ch in range(3):
                vals = [c[ch] for c, _ in box]
                rg = (max(vals) - min(vals)) * math.sqrt(sum(k for _, k in box))
                if rg > best_range:
                    best, best_range, best_ch = i, rg, ch
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda e: (e[0][best_ch], e[0]))
        total = sum(k for _, k in box)
        acc, cut = 0, 1
        for j, (_, k) in enumerate(box):
            acc += k
            if acc * 2 >= total:
                cut = max(1, min(len(box) - 1, j + 1))
                break
        boxes.insert(best, box[cut:])
        boxes.insert(best, box[:cut])
    out = []
    for box in boxes:
        total = sum(k for _, k in box)
        out.append(tuple(round(sum(c[i] * k for c, k in box) / total) for i in range(3)))
    return out


def nearest(palette, c):
    best, bd = 0, None
    for i, p in enumerate(palette):
        d = 2 * (p[0] - c[0]) ** 2 + 4 * (p[1] - c[1]) ** 2 + 3 * (p[2] - c[2]) ** 2
        if bd is None or d < bd:
            best, bd = i, d
    return best


def to_indexed(rgba, colours):
    """Index 0 is black: with the mask bit set it makes a pixel transparent.
    Half-covered edge pixels count as opaque, with their own colour."""
    opaque = [p[3] >= 128 for p in rgba]
    hist = {}
    for p, o in zip(rgba, opaque):
        if o:
            hist[p[:3]] = hist.get(p[:3], 0) + 1
    palette = [BLACK] + [c for c in median_cut(hist, colours - 1) if c != BLACK]
    palette += [BLACK] * (colours - len(palette))
    cache = {}
    idx = []
    for p, o in zip(rgba, opaque):
        if not o:
            idx.append(0)
            continue
        if p[:3] not in cache:
            cache[p[:3]] = nearest(palette, p[:3])
        idx.append(cache[p[:3]])
    return palette, idx, [not o for o in opaque]


# --------------------------------------------------------------------------
# Writing DIB entries for .ico and .cur files.

def row_bytes(bits):
    return (bits + 31) // 32 * 4


def pack_bits(values, bpp, width):
    """One row of palette indices (or 0/1 mask bits), padded to 4 bytes."""
    out = bytearray(row_bytes(width * bpp))
    per = 8 // bpp
    for x, v in enumerate(values):
        out[x // per] |= v << (8 - bpp * (x % per + 1))
    return bytes(out)


def dib(width, height, bpp, pixels, mask, palette=None):
    """pixels: indices (bpp <= 8) or (r,g,b,a) tuples (bpp == 32), top row
    first; mask: True where transparent."""
    xor = bytearray()
    andm = bytearray()
    for y in reversed(range(height)):  # DIBs are stored bottom-up
        row = pixels[y * width:(y + 1) * width]
        if bpp == 32:
            for r, g, b, a in row:
                xor += bytes((b, g, r, a))
        else:
            xor += pack_bits(row, bpp, width)
        andm += pack_bits([1 if m else 0 for m in mask[y * width:(y + 1) * width]], 1, width)
    header = struct.pack('<IiiHHIIiiII', 40, width, height * 2, 1, bpp, 0,
                         len(xor) + len(andm), 0, 0, 0, 0)
    pal = b''
    if palette is not None:
        pal = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + pal + bytes(xor) + bytes(andm)


def write_icon_file(path, kind, entries):
    """entries: (width, height, colour_count, planes_or_hotx, bpp_or_hoty, data)."""
    out = bytearray(struct.pack('<HHH', 0, kind, len(entries)))
    offset = 6 + 16 * len(entries)
    for w, h, colours, a, b, data in entries:
        out += struct.pack('<BBBBHHII', w % 256, h % 256, colours % 256, 0, a, b, len(data), offset)
        offset += len(data)
    for e in entries:
        out += e[5]
    with open(path, 'wb') as f:
        f.write(out)
    return len(out)


def icon_entry_32(size):
    rgba = draw_icon(size).rgba8()
    # Fully clear pixels carry no colour, so the mask alone draws them right
    # where alpha is not understood.
    pixels = [p if p[3] else (0, 0, 0, 0) for p in rgba]
    mask = [p[3] == 0 for p in rgba]
    return (size, size, 0, 1, 32, dib(size, size, 32, pixels, mask))


def icon_entry_indexed(size, bpp):
    colours = 1 << bpp
    # Without alpha a soft shadow can only be a hard dark rim.
    rgba = draw_icon(size, shadow=False).rgba8()
    palette, idx, mask = to_indexed(rgba, colours)
    return (size, size, colours, 1, bpp, dib(size, size, bpp, idx, mask, palette))


def icon_entry_mono(size):
    rgba = draw_icon(size, mono=True).rgba8()
    idx, mask = [], []
    for r, g, b, a in rgba:
        if a < 128:
            idx.append(0)
            mask.append(True)
        else:
            idx.append(1 if (r + g + b) >= 3 * 128 else 0)
            mask.append(False)
    return (size, size, 2, 1, 1, dib(size, size, 1, idx, mask, [BLACK, WHITE]))


def make_icon(path):
    entries = [
        icon_entry_mono(32),
        icon_entry_indexed(48, 4),
        icon_entry_indexed(48, 8),
        icon_entry_indexed(32, 8),
        icon_entry_indexed(16, 8),
        icon_entry_32(128),
        icon_entry_32(48),
        icon_entry_32(32),
        icon_entry_32(16),
    ]
    return write_icon_file(path, 1, entries)


# A pointing hand, black outline on white; '.' is see-through.  The hot spot
# is the top of the index finger.
HAND = """
......BBB...........
.....BWWWB..........
.....BWWWB..........
.....BWWWB..........
.....BWWWB..........
.....BWWWB..........
.....BWWWBBB........
.....BWWWBWWBBB.....
.....BWWWBWWBWWBBB..
.....BWWWBWWBWWBWWB.
.BB..BWWWBWWBWWBWWB.
BWWB.BWWWBWWBWWBWWB.
BWWWBBWWWWWWBWWBWWB.
.BWWWBWWWWWWWWWWWWB.
.BWWWWWWWWWWWWWWWWB.
..BWWWWWWWWWWWWWWWB.
..BWWWWWWWWWWWWWWWB.
...BWWWWWWWWWWWWWB..
....BWWWWWWWWWWWWB..
....BWWWWWWWWWWWB...
.....BWWWWWWWWWWB...
.....BBBBBBBBBBBB...
"""
HAND_OFFSET = (4, 1)
HAND_HOTSPOT = (HAND_OFFSET[0] + 7, HAND_OFFSET[1])


def make_cursor(path):
    size = 32
    rows = HAND.strip().splitlines()
    idx = [0] * (size * size)
    mask = [True] * (size * size)
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch == '.':
                continue
            p = (y + HAND_OFFSET[1]) * size + x + HAND_OFFSET[0]
            mask[p] = False
            idx[p] = 1 if ch == 'W' else 0
    data = dib(size, size, 1, idx, mask, [BLACK, WHITE])
    return write_icon_file(path, 2, [(size, size, 2, HAND_HOTSPOT[0], HAND_HOTSPOT[1], data)])


# --------------------------------------------------------------------------
# The banner.

def write_png(path, w, h, rgba):
    raw = bytearray()
    for y in range(h):
        raw.append(0)
        for p in rgba[y * w:(y + 1) * w]:
            raw += bytes(p)

    def chunk(tag, data):
        body = tag + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)

    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n')
        f.write(chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0)))
        f.write(chunk(b'IDAT', zlib.compress(bytes(raw), 9)))
        f.write(chunk(b'IEND', b''))


def banner_background():
    w, h = BANNER_WIDTH, BANNER_HEIGHT
    deep, bright = (0x12, 0x2B, 0x52), (0x2C, 0x6C, 0xB4)
    out = []
    for y in range(h):
        for x in range(w):
            # A diagonal sweep from deep navy to blue, with a soft glow
            # behind the icon.
            t = (x / w) * 0.8 + (1 - y / h) * 0.2
            c = lerp(deep, bright, t)
            g = math.exp(-(((x - 42) / 48.0) ** 2 + ((y - 42) / 38.0) ** 2)) * 0.22
            c = lerp(c, (0x6E, 0xA8, 0xE6), g)
            # A thin orange rule along the bottom, the tag's colour.
            if y >= h - 3:
                c = lerp(TAG_DARK, TAG_LIGHT, x / w)
            out.append((round(c[0]), round(c[1]), round(c[2]), 255))
    return out


def tiff_ifd(entries, next_ifd, base):
    """entries: (tag, type, count, value bytes); returns (ifd, extra data)."""
    sizes = {2: 1, 3: 2, 4: 4, 5: 8, 7: 1}
    entries = sorted(entries)
    data_at = base + 2 + 12 * len(entries) + 4
    ifd = struct.pack('<H', len(entries))
    extra = b''
    for tag, typ, count, value in entries:
        if sizes[typ] * count <= 4:
            ifd += struct.pack('<HHI', tag, typ, count) + value.ljust(4, b'\0')
        else:
            ifd += struct.pack('<HHII', tag, typ, count, data_at + len(extra))
            extra += value
            if len(extra) % 2:
                extra += b'\0'
    ifd += struct.pack('<I', next_ifd)
    return ifd + extra


def exif_segment():
    """A small Exif block: who made the picture, its resolution and size."""
    def ascii(s):
        b = s.encode('ascii') + b'\0'
        return (2, len(b), b)

    def short(v):
        return (3, 1, struct.pack('<H', v))

    def long_(v):
        return (4, 1, struct.pack('<I', v))

    def rational(n, d):
        return (5, 1, struct.pack('<II', n, d))

    ifd0 = [
        (0x010E, *ascii('Velmora - renames many files at once')),
        (0x0112, *short(1)),            # orientation: as stored
        (0x011A, *rational(96, 1)),
        (0x011B, *rational(96, 1)),
        (0x0128, *short(2)),            # inches
        (0x0131, *ascii('Velmora')),
        (0x8298, *ascii('Velmora')),
        (0x8769, *long_(0)),            # Exif IFD, patched below
    ]
    # Lay IFD0 out once to learn where the Exif IFD goes.
    first = tiff_ifd(ifd0, 0, 8)
    exif_at = 8 + len(first)
    ifd0[-1] = (0x8769, *long_(exif_at))
    first = tiff_ifd(ifd0, 0, 8)
    exif = [
        (0x9000, 7, 4, b'0232'),
        (0xA000, 7, 4, b'0100'),
        (0xA001, *short(1)),            # sRGB
        (0xA002, *long_(BANNER_WIDTH)),
        (0xA003, *long_(BANNER_HEIGHT)),
    ]
    tiff = b'II*\0' + struct.pack('<I', 8) + first + tiff_ifd(exif, 0, exif_at)
    body = b'Exif\0\0' + tiff
    return b'\xFF\xE1' + struct.pack('>H', len(body) + 2) + body


def insert_exif(jpeg):
    """Puts the Exif block right after the JFIF one, where readers look."""
    assert jpeg[:4] == b'\xFF\xD8\xFF\xE0', 'expected a JFIF file'
    app0_end = 4 + struct.unpack('>H', jpeg[4:6])[0]
    rest = jpeg[app0_end:]
    assert rest[:2] != b'\xFF\xE1', 'the encoder already wrote an APP1'
    return jpeg[:app0_end] + exif_segment() + rest


def make_banner(path):
    convert = shutil.which('convert')
    if not convert:
        sys.exit('make_resources: ImageMagick (convert) is needed for the banner')
    with tempfile.TemporaryDirectory() as tmp:
        bg = os.path.join(tmp, 'bg.png')
        icon = os.path.join(tmp, 'icon.png')
        out = os.path.join(tmp, 'banner.jpg')
        write_png(bg, BANNER_WIDTH, BANNER_HEIGHT, banner_background())
        write_png(icon, 64, 64, draw_icon(64).rgba8())
        cmd = [
            convert, bg,
            icon, '-geometry', '+10+9', '-composite',
            '-density', '72', '-gravity', 'NorthWest',
            '-font', 'DejaVu-Sans-Bold', '-pointsize', '30',
            '-fill', '#0c1e3a80', '-annotate', '+87+11', 'Velmora',
            '-fill', '#FFFFFF', '-annotate', '+86+10', 'Velmora',
            '-font', 'DejaVu-Sans', '-pointsize', '12',
            '-fill', '#D8E6F7', '-annotate', '+88+47', 'Tag once. Rename them all.',
            '-font', 'DejaVu-Sans', '-pointsize', '9',
            '-fill', '#9DBCE3', '-annotate', '+88+64', 'velmora.example',
            '-strip', '-colorspace', 'sRGB', '-type', 'TrueColor',
            '-interlace', 'none', '-sampling-factor', '1x1,1x1,1x1',
            '-quality', '91', '-units', 'PixelsPerInch', '-density', '96',
            'jpeg:' + out,
        ]
        subprocess.run(cmd, check=True)
        with open(out, 'rb') as f:
            jpeg = f.read()
    jpeg = insert_exif(jpeg)
    with open(path, 'wb') as f:
        f.write(jpeg)
    return len(jpeg)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--preview', metavar='DIR', help='also write PNGs of every icon size here')
    args = ap.parse_args()
    n = make_icon(os.path.join(HERE, 'velmora.ico'))
    print(f'velmora.ico  {n} bytes')
    n = make_cursor(os.path.join(HERE, 'hand.cur'))
    print(f'hand.cur     {n} bytes')
    n = make_banner(os.path.join(HERE, 'banner.jpg'))
    print(f'banner.jpg   {n} bytes')
    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
        for size in (256, 128, 64, 48, 32, 16):
            write_png(os.path.join(args.preview, f'icon-{size}.png'), size, size, draw_icon(size).rgba8())


if __name__ == '__main__':
    main()
