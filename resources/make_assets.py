#!/usr/bin/env python3
"""Draws the program's icon and pictures and synthesises its click sounds.

Everything is generated from this file so the repository holds no opaque binaries.
Usage: make_assets.py OUTPUT_DIR
"""
import math
import os
import re
import struct
import sys
import wave


def canvas(size):
    return [[(0, 0, 0, 0) for _ in range(size)] for _ in range(size)]


def blend(img, x, y, rgba):
    size = len(img)
    if not (0 <= x < size and 0 <= y < size):
        return
    r, g, b, a = rgba
    br, bg, bb, ba = img[y][x]
    fa = a / 255.0
    out_a = a + ba * (1 - fa)
    if out_a <= 0:
        return
    mix = lambda c, d: int(round((c * a + d * ba * (1 - fa)) / out_a))
    img[y][x] = (mix(r, br), mix(g, bg), mix(b, bb), int(round(out_a)))


def disc(img, cx, cy, radius, rgba, inner=0.0):
    """Antialiased ring (inner > 0) or disc, by 4x4 supersampling."""
    size = len(img)
    for y in range(size):
        for x in range(size):
            hits = 0
            for sy in range(4):
                for sx in range(4):
                    px = x + (sx + 0.5) / 4 - cx
                    py = y + (sy + 0.5) / 4 - cy
                    d = math.hypot(px, py)
                    if inner <= d <= radius:
                        hits += 1
            if hits:
                r, g, b, a = rgba
                blend(img, x, y, (r, g, b, a * hits // 16))


def gear(img, cx, cy, radius, teeth, rgba):
    size = len(img)
    for y in range(size):
        for x in range(size):
            hits = 0
            for sy in range(4):
                for sx in range(4):
                    px = x + (sx + 0.5) / 4 - cx
                    py = y + (sy + 0.5) / 4 - cy
                    d = math.hypot(px, py)
                    ang = math.atan2(py, px)
                    tooth = math.cos(ang * teeth) > 0.3
                    outer = radius if tooth else radius * 0.82
                    if radius * 0.38 <= d <= outer:
                        hits += 1
            if hits:
                r, g, b, a = rgba
                blend(img, x, y, (r, g, b, a * hits // 16))


def app_icon(size):
    img = canvas(size)
    c = size / 2
    disc(img, c, c, size * 0.48, (24, 70, 140, 255))
    gear(img, c, c, size * 0.36, 8, (235, 240, 250, 255))
    return img


def dib32(img):
    """A bottom-up 32-bit BITMAPINFOHEADER image with its AND mask, as ICO entries want."""
    size = len(img)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(img):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)
    return header + bytes(pixels) + mask


def write_ico(path, images):
    entries = [dib32(img) for img in images]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for img, data in zip(images, entries):
        size = len(img)
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in entries:
        out += data
    with open(path, 'wb') as f:
        f.write(out)


# ---------------------------------------------------------------- main window pictures
#
# Every picture is a rounded tile (or a disc) shaded in its category's colour with a white glyph
# on it. Shapes are polygons given on a 48 x 48 grid whatever the picture's size; they are
# scanline-filled into a mask sampled SS x SS times per pixel, then averaged into coverage.

SS = 3
GRID = 48.0
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)

TWEAKS = (38, 118, 212)
MAINTENANCE = (30, 150, 104)
SECURITY = (218, 86, 46)
PASSWORDS = (128, 82, 192)
HELP = (38, 118, 212)
MAKER = (24, 70, 140)

BADGE_ADD = (46, 168, 78)
BADGE_CHANGE = (238, 150, 28)
BADGE_REMOVE = (214, 48, 48)


def arc_points(cx, cy, rx, ry, a0, a1, steps=None):
    """Points along an ellipse from angle a0 to a1 (degrees, clockwise on screen)."""
    if steps is None:
        steps = max(3, int(abs(a1 - a0) / 5))
    pts = []
    for i in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * i / steps)
        pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return pts


# A shape is a list of closed contours, filled by the even-odd rule.

def circle(cx, cy, r):
    return [arc_points(cx, cy, r, r, 0, 360, 72)[:-1]]


def ellipse(cx, cy, rx, ry):
    return [arc_points(cx, cy, rx, ry, 0, 360, 72)[:-1]]


def ring(cx, cy, r, w):
    return circle(cx, cy, r + w / 2) + circle(cx, cy, r - w / 2)


def rect(x0, y0, x1, y1):
    return [[(x0, y0), (x1, y0), (x1, y1), (x0, y1)]]


def rrect(x0, y0, x1, y1, r):
    r = min(r, (x1 - x0) / 2, (y1 - y0) / 2)
    return [arc_points(x1 - r, y0 + r, r, r, 270, 360, 8) + arc_points(x1 - r, y1 - r, r, r, 0, 90, 8)
            + arc_points(x0 + r, y1 - r, r, r, 90, 180, 8) + arc_points(x0 + r, y0 + r, r, r, 180, 270, 8)]


def poly(*pts):
    return [list(pts)]


def capsule(x0, y0, x1, y1, w):
    """A thick line with round ends."""
    h = w / 2
    a = math.degrees(math.atan2(y1 - y0, x1 - x0))
    return [arc_points(x1, y1, h, h, a - 90, a + 90, 12) + arc_points(x0, y0, h, h, a + 90, a + 270, 12)]


def bar(x0, y0, x1, y1, w):
    """A thick line with square ends."""
    d = math.hypot(x1 - x0, y1 - y0)
    nx, ny = -(y1 - y0) / d * w / 2, (x1 - x0) / d * w / 2
    return [[(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]]


def stroke_arc(cx, cy, r, w, a0, a1, caps=True):
    """A thick circular arc from a0 to a1 (a1 > a0), optionally with round ends."""
    h = w / 2
    pts = arc_points(cx, cy, r + h, r + h, a0, a1)
    if caps:
        ex, ey = cx + r * math.cos(math.radians(a1)), cy + r * math.sin(math.radians(a1))
        pts += arc_points(ex, ey, h, h, a1, a1 + 180, 10)
    pts += arc_points(cx, cy, r - h, r - h, a1, a0)
    if caps:
        sx, sy = cx + r * math.cos(math.radians(a0)), cy + r * math.sin(math.radians(a0))
        pts += arc_points(sx, sy, h, h, a0 + 180, a0 + 360, 10)
    return [pts]


def pie(cx, cy, r, a0, a1):
    return [[(cx, cy)] + arc_points(cx, cy, r, r, a0, a1)]


def star(cx, cy, big, small, points=4):
    pts = []
    for i in range(points * 2):
        a = math.radians(-90 + i * 180 / points)
        r = big if i % 2 == 0 else small
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return [pts]


def cog(cx, cy, outer, root, teeth, hole):
    """A gear wheel with trapezoid teeth and a round hole."""
    pts = []
    step = 360.0 / teeth
    for i in range(teeth):
        t = i * step
        pts += arc_points(cx, cy, root, root, t - step / 2, t - step * 0.26, 3)
        for a, r in ((t - step * 0.17, outer), (t + step * 0.17, outer)):
            pts.append((cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a))))
        pts += arc_points(cx, cy, root, root, t + step * 0.26, t + step / 2, 3)
    return [pts] + circle(cx, cy, hole)


def bezier(p0, p1, p2, steps=12):
    return [((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0],
             (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1])
            for t in (i / steps for i in range(steps + 1))]


def arrowhead(tx, ty, angle, length, width):
    """A triangle pointing along angle (degrees) with its tip at (tx, ty)."""
    a = math.radians(angle)
    dx, dy = math.cos(a), math.sin(a)
    bx, by = tx - dx * length, ty - dy * length
    return [[(tx, ty), (bx - dy * width / 2, by + dx * width / 2), (bx + dy * width / 2, by - dx * width / 2)]]


def rotate(shape, deg, cx=24.0, cy=24.0):
    c, s = math.cos(math.radians(deg)), math.sin(math.radians(deg))
    return [[(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c) for x, y in contour]
            for contour in shape]


def place(shape, scale, dx, dy):
    return [[(x * scale + dx, y * scale + dy) for x, y in contour] for contour in shape]


def shield(cx, top, w, h):
    left, right = cx - w / 2, cx + w / 2
    waist = top + h * 0.45
    pts = bezier((left, top + 3.5), (cx - w * 0.22, top + 3.2), (cx, top), 6)
    pts += bezier((cx, top), (cx + w * 0.22, top + 3.2), (right, top + 3.5), 6)[1:]
    pts.append((right, waist))
    pts += bezier((right, waist), (right, top + h * 0.82), (cx, top + h), 10)[1:]
    pts += bezier((cx, top + h), (left, top + h * 0.82), (left, waist), 10)[1:]
    return [pts]


class Mask:
    """A coverage mask sampled SS x SS times per pixel; shapes are added or cut out of it."""

    def __init__(self, size):
        self.size = size
        self.n = size * SS
        self.bits = bytearray(self.n * self.n)

    def _fill(self, shape, value):
        n = self.n
        k = n / GRID
        rows = {}
        for contour in shape:
            for i in range(len(contour)):
                x0, y0 = contour[i - 1]
                x1, y1 = contour[i]
                x0, y0, x1, y1 = x0 * k, y0 * k, x1 * k, y1 * k
                if y0 == y1:
                    continue
                lo, hi = (y0, y1) if y0 < y1 else (y1, y0)
                slope = (x1 - x0) / (y1 - y0)
                for sy in range(max(0, math.ceil(lo - 0.5)), min(n, math.ceil(hi - 0.5))):
                    rows.setdefault(sy, []).append(x0 + (sy + 0.5 - y0) * slope)
        run = (b'\x01' if value else b'\x00') * n
        bits = self.bits
        for sy, xs in rows.items():
            xs.sort()
            base = sy * n
            for i in range(0, len(xs) - 1, 2):
                a = max(0, math.ceil(xs[i] - 0.5))
                b = min(n, math.ceil(xs[i + 1] - 0.5))
                if b > a:
                    bits[base + a:base + b] = run[:b - a]

    def add(self, *shapes):
        for shape in shapes:
            self._fill(shape, True)
        return self

    def cut(self, *shapes):
        for shape in shapes:
            self._fill(shape, False)
        return self

    def _combine(self, other, op):
        a = int.from_bytes(self.bits, 'big')
        b = int.from_bytes(other.bits, 'big')
        self.bits = bytearray(op(a, b).to_bytes(len(self.bits), 'big'))
        return self

    def union(self, other):
        return self._combine(other, lambda a, b: a | b)

    def intersect(self, other):
        return self._combine(other, lambda a, b: a & b)

    def coverage(self):
        """Per-pixel coverage 0..1, row by row."""
        n, size, bits = self.n, self.size, self.bits
        out = []
        scale = 1.0 / (SS * SS)
        for py in range(size):
            base = py * SS * n
            cols = [sum(t) for t in zip(*(bits[base + i * n:base + (i + 1) * n] for i in range(SS)))]
            out.extend(sum(cols[x:x + SS]) * scale for x in range(0, n, SS))
        return out


class Picture:
    """Premultiplied RGBA pixels in 0..1, painted over one another."""

    def __init__(self, size):
        self.size = size
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def paint(self, cover, color, opacity=1.0, shift=0):
        """Paints colour (an RGB triple, or a function of the pixel row) through a coverage."""
        size = self.size
        offset = shift * size
        for i, c in enumerate(cover):
            if c <= 0.0:
                continue
            j = i + offset
            if not 0 <= j < len(self.px):
                continue
            r, g, b = color(j // size) if callable(color) else color
            a = c * opacity
            p = self.px[j]
            keep = 1.0 - a
            p[0] = r / 255.0 * a + p[0] * keep
            p[1] = g / 255.0 * a + p[1] * keep
            p[2] = b / 255.0 * a + p[2] * keep
            p[3] = a + p[3] * keep


def mix(c, d, t):
    return tuple(x + (y - x) * t for x, y in zip(c, d))


class Layers:
    """The glyph of a picture: masks painted in the order they were made."""

    def __init__(self, size):
        self.size = size
        self.items = []

    def new(self, color=WHITE, opacity=1.0):
        m = Mask(self.size)
        self.items.append((m, color, opacity))
        return m


def paint_picture(size, base, glyph, round_back=False):
    """Background with a drop shadow, shading, gloss and rim; then the glyph over its shadow."""
    pic = Picture(size)
    px = GRID / size  # one pixel in grid units
    lo, hi = 2.0, 46.0
    if round_back:
        back = circle(24, 23.5, 22)
        inner = circle(24, 23.5, 22 - px)
    else:
        back = rrect(lo, lo - 0.5, hi, hi - 0.5, 10)
        inner = rrect(lo + px, lo - 0.5 + px, hi - px, hi - 0.5 - px, 10 - px)
    pic.paint(Mask(size).add(back).coverage(), BLACK, 0.22, shift=1)
    body = Mask(size).add(back)
    top, bottom = mix(base, WHITE, 0.32), mix(base, BLACK, 0.18)
    pic.paint(body.coverage(), lambda y: mix(top, bottom, y / (size - 1)))
    gloss = Mask(size).add(ellipse(24, 4, 34, 21)).intersect(body)
    pic.paint(gloss.coverage(), WHITE, 0.16)
    pic.paint(Mask(size).add(back).cut(inner).coverage(), mix(base, BLACK, 0.45), 0.6)

    layers = Layers(size)
    glyph(layers)
    shadow = Mask(size)
    for m, _, _ in layers.items:
        shadow.union(m)
    pic.paint(shadow.coverage(), mix(base, BLACK, 0.6), 0.35, shift=1)
    for m, color, opacity in layers.items:
        pic.paint(m.coverage(), color, opacity)
    return pic


def paint_plain(size, glyph):
    """The glyph alone in its own colours, on a transparent ground (small list pictures)."""
    pic = Picture(size)
    layers = Layers(size)
    glyph(layers)
    for m, color, opacity in layers.items:
        pic.paint(m.coverage(), color, opacity)
    return pic


def write_bmp(path, pic):
    """A bottom-up 32-bit BI_RGB bitmap with premultiplied alpha, as AlphaBlend wants."""
    size = pic.size
    pixels = bytearray()
    for y in range(size - 1, -1, -1):
        for r, g, b, a in pic.px[y * size:(y + 1) * size]:
            pixels += bytes((int(round(min(b, 1.0) * 255)), int(round(min(g, 1.0) * 255)),
                             int(round(min(r, 1.0) * 255)), int(round(min(a, 1.0) * 255))))
    info = struct.pack('<IiiHHIIiiII', 40, size, size, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, 'wb') as f:
        f.write(head + info + bytes(pixels))


# ---------------------------------------------------------------- glyphs

def padlock(cx=24.0, cy=24.0, scale=1.0, keyhole=True):
    """The padlock's body and shackle (and the keyhole to cut), centred near (cx, cy)."""
    def p(shape):
        return place(shape, scale, cx - 24 * scale, cy - 24 * scale)
    body = p(rrect(12, 22, 36, 40, 3.5))
    shackle = [p(stroke_arc(24, 19, 7.5, 4, 180, 360, caps=False)),
               p(rect(14.5, 19, 18.5, 23)), p(rect(29.5, 19, 33.5, 23))]
    hole = [p(circle(24, 29.5, 2.6)), p(poly((22.7, 30.5), (25.3, 30.5), (26.1, 35.5), (21.9, 35.5)))]
    return body, shackle, hole if keyhole else []


def badge(layers, under, color, draw, cx=34.5, cy=34.5, r=8.0):
    """A round coloured badge with a white sign, set apart from the glyph under it."""
    for m in under:
        m.cut(circle(cx, cy, r + 2.4))
    layers.new(WHITE).add(ring(cx, cy, r + 0.6, 1.2))
    layers.new(color).add(circle(cx, cy, r))
    draw(layers.new(WHITE), cx, cy)


def padlock_with_badge(layers, color, sign):
    m = layers.new()
    body, shackle, hole = padlock(20, 21, 0.86)
    m.add(body, *shackle).cut(*hole)
    badge(layers, [m], color, sign)


def folder(x0, y0, x1, y1):
    tab = rrect(x0, y0, x0 + (x1 - x0) * 0.45, y0 + 4, 1.2)
    return [tab, rrect(x0, y0 + 2, x1, y1, 1.5)]


def g_tweaks(L):
    m = L.new()
    wrench = [capsule(9, 24, 30, 24, 6), circle(33, 24, 8)]
    wrench_cut = [rect(33, 20.8, 43, 27.2), circle(11, 24, 1.5)]
    driver = [rrect(6, 20.5, 18, 27.5, 3), rect(18, 22, 21, 26), bar(21, 24, 36, 24, 2.8),
              poly((36, 22.6), (40.5, 23.3), (40.5, 24.7), (36, 25.4))]
    m.add(*(rotate(s, -45) for s in wrench)).cut(*(rotate(s, -45) for s in wrench_cut))
    m.cut(rotate(bar(16, 24, 32, 24, 7.5), 45))
    m.add(*(rotate(s, 45) for s in driver))


def g_maintenance(L):
    m = L.new()
    m.add(cog(21, 21, 14, 11, 9, 5.5))
    wrench = [capsule(10, 24, 30, 24, 5.6), circle(33.5, 24, 7.5)]
    m.cut(*(rotate(place(s, 1, 4, 4), -45) for s in
            [capsule(8, 24, 30, 24, 10), circle(33.5, 24, 10.5)]))
    m.cut(rotate(rect(8, 28, 46, 50), -45))
    m.add(*(rotate(place(s, 1, 4, 4), -45) for s in wrench))
    m.cut(*(rotate(place(s, 1, 4, 4), -45) for s in [rect(33.5, 21, 43, 27), circle(12, 24, 1.5)]))


def g_security(L):
    m = L.new()
    m.add(shield(24, 7, 26, 34))
    m.cut(capsule(17, 24, 22, 29, 4), capsule(22, 29, 31, 19, 4))


def g_passwords(L):
    m = L.new()
    body, shackle, hole = padlock(24, 24.5, 1.05)
    m.add(body, *shackle).cut(*hole)


def g_performance(L):
    m = L.new()
    m.add(stroke_arc(24, 27, 13.5, 4, 150, 390))
    for a in (190, 230, 270, 310, 350):
        r = math.radians(a)
        m.add(capsule(24 + 7.5 * math.cos(r), 27 + 7.5 * math.sin(r),
                      24 + 9.2 * math.cos(r), 27 + 9.2 * math.sin(r), 1.8))
    m.add(rotate(poly((22.6, 27), (24, 12.5), (25.4, 27)), 40, 24, 27), circle(24, 27, 3.6))
    m.cut(circle(24, 27, 1.3))


def g_performance2(L):
    m = L.new()
    body = [ellipse(24, 22, 6.5, 15)]
    fins = [poly((18.2, 25), (13, 35), (13.5, 38), (18.5, 34)),
            poly((29.8, 25), (35, 35), (34.5, 38), (29.5, 34))]
    m.add(*(rotate(s, 45) for s in body + fins))
    m.cut(rotate(rect(10, 32, 38, 40), 45), rotate(circle(24, 19.5, 2.8), 45))
    m.add(*(rotate(s, 45) for s in fins))
    flame = bezier((20.5, 33), (21, 39), (24, 44)) + bezier((24, 44), (27, 39), (27.5, 33))
    L.new(WHITE, 0.6).add(rotate([flame], 45))


def g_startup(L):
    m = L.new()
    m.add(stroke_arc(24, 25.5, 11.5, 4, 305, 595))
    m.add(capsule(24, 10, 24, 23, 4))


def g_more_tweaks(L):
    m = L.new()
    for x, knob in ((14, 30), (24, 18), (34, 26)):
        m.add(capsule(x, 10, x, 38, 2.4))
        m.cut(rrect(x - 5.5, knob - 4, x + 5.5, knob + 4, 2.5))
        m.add(rrect(x - 4.3, knob - 2.8, x + 4.3, knob + 2.8, 1.6))


def g_internet(L):
    m = L.new()
    m.add(ring(24, 24, 13.5, 2.6))
    m.add(ellipse(24, 24, 6.6, 13.5)).cut(ellipse(24, 24, 4.2, 12.5))
    m.add(capsule(24, 11, 24, 37, 2.2), capsule(11, 24, 37, 24, 2.2))
    for y in (16.5, 31.5):
        hw = math.sqrt(13.5 ** 2 - (y - 24) ** 2) - 0.6
        m.add(capsule(24 - hw, y, 24 + hw, y, 2.2))


def g_auto_tuner(L):
    m = L.new()
    m.add(capsule(11, 38, 29, 20, 4.4))
    m.cut(bar(24.5, 24.5, 26.3, 22.7, 6))
    m.add(star(34, 13.5, 7, 1.8), star(39.5, 25, 3.8, 1.1), star(23.5, 9.5, 3.4, 1))


def g_misc(L):
    m = L.new()
    m.add(rrect(14, 16, 33, 35, 1.5), circle(23.5, 14.2, 4), circle(34.8, 25.5, 4))
    m.cut(circle(14, 25.5, 4), circle(23.5, 35, 4))


def g_shell_tweaks(L):
    m = L.new()
    m.add(rrect(7, 9, 41, 39, 3.5)).cut(rrect(9.8, 15.5, 38.2, 36.2, 1.5))
    for x in (11.5, 14.5):
        m.cut(circle(x, 12.3, 1))
    m.add(capsule(14.5, 21, 19.5, 25.5, 3), capsule(19.5, 25.5, 14.5, 30, 3))
    m.add(capsule(23, 30.5, 31, 30.5, 3))


def g_services(L):
    m = L.new()
    m.add(cog(19.5, 27.5, 12, 9.2, 9, 4))
    m.cut(circle(32.5, 15.5, 9.5))
    m.add(cog(32.5, 15.5, 8, 6, 7, 2.6))


def g_disk_usage(L):
    m = L.new()
    m.add(pie(22.5, 25.5, 13.5, 345, 630))
    m.add(pie(25.2, 22.2, 13.5, 270, 345))


def g_disk_cleaner(L):
    m = L.new()
    shapes = [capsule(24, 5, 24, 25, 3.4), rrect(18, 24, 30, 29, 1.5),
              poly((17.5, 28.5), (30.5, 28.5), (35, 43), (13, 43))]
    m.add(*(rotate(s, 35) for s in shapes))
    for x in (-6, -2, 2, 6):
        m.cut(rotate(bar(24 + x * 0.75, 33, 24 + x * 1.35, 44, 1.3), 35))
    m.add(star(12, 14, 5, 1.4), star(18.5, 8.5, 2.8, 0.9))


def g_shared_dlls(L):
    m = L.new()
    m.add(rrect(8, 9, 20, 20, 2.5), rrect(28, 9, 40, 20, 2.5), rrect(16.5, 29, 31.5, 40, 2.5))
    m.add(capsule(14, 20, 14, 24.5, 2.6), capsule(34, 20, 34, 24.5, 2.6), capsule(14, 24.5, 34, 24.5, 2.6),
          capsule(24, 24.5, 24, 29, 2.6))
    m.cut(rrect(19.5, 32, 28.5, 34, 0.6), rrect(19.5, 35.5, 26, 37.5, 0.6))


def g_shell_browser(L):
    m = L.new()
    m.add(*folder(8, 8, 22, 18))
    m.add(capsule(13, 18, 13, 34, 2.4), capsule(13, 25, 21, 25, 2.4), capsule(13, 34, 21, 34, 2.4))
    m.add(*folder(21, 19.5, 38, 28.5), *folder(21, 30.5, 38, 39.5))


def g_control_center(L):
    m = L.new()
    m.add(rrect(9, 9, 22.5, 22.5, 3), rrect(25.5, 9, 39, 22.5, 3), rrect(9, 25.5, 22.5, 39, 3))
    m.add(rrect(25.5, 25.5, 39, 39, 3))
    m.cut(stroke_arc(32.25, 33.2, 4, 1.8, 180, 360), capsule(32.25, 33.2, 34.6, 29.8, 1.5))


def g_system_info(L):
    m = L.new()
    m.add(rrect(13, 13, 35, 35, 3))
    for p in (18, 24, 30):
        m.add(capsule(p, 8.5, p, 13, 2.4), capsule(p, 35, p, 39.5, 2.4),
              capsule(8.5, p, 13, p, 2.4), capsule(35, p, 39.5, p, 2.4))
    m.cut(circle(24, 18.6, 2), rrect(22.2, 21.8, 25.8, 30.5, 0.8))


def g_toolbox(L):
    m = L.new()
    m.add(rrect(17, 11, 31, 22, 3.5)).cut(rrect(20.2, 14.2, 27.8, 22, 1.2))
    m.add(rrect(7, 19, 41, 38, 3))
    m.cut(rect(7, 25, 41, 26.8))
    m.cut(rrect(19.5, 22, 28.5, 30, 2)).add(rrect(21, 23.3, 27, 28.7, 1.2))


def g_restore(L):
    m = L.new()
    cx, cy, r = 25, 25, 12.5
    m.add(stroke_arc(cx, cy, r, 3.2, 205, 490))
    a = math.radians(205)
    tx, ty = cx + r * math.cos(a), cy + r * math.sin(a)
    m.add(arrowhead(tx - 1.2, ty + 4.5, 110, 8, 9))
    m.add(capsule(cx, cy, cx, cy - 7.5, 3), capsule(cx, cy, cx + 5.5, cy + 3, 3))


def g_start_menu(L):
    m = L.new()
    m.add(rrect(7, 35.5, 41, 40.5, 1.5)).cut(rrect(9, 36.8, 15, 39.2, 1))
    m.add(rrect(7, 7, 30, 33.5, 2.5)).cut(rrect(9.5, 9.5, 27.5, 31, 1.2))
    for y in (14, 20, 26):
        m.add(rrect(12, y - 2, 16, y + 2, 0.8), capsule(19, y, 24.5, y, 2.2))


def monitor(m):
    m.add(rrect(6.5, 8.5, 41.5, 33, 2.5))
    m.add(poly((21, 32), (27, 32), (28, 37.5), (20, 37.5)), capsule(14.5, 38.5, 33.5, 38.5, 2.8))


def g_system(L):
    m = L.new()
    monitor(m)
    m.cut(rrect(9.5, 11.5, 38.5, 30, 1))
    L.new(WHITE, 0.35).add(poly((9.5, 11.5), (28, 11.5), (17, 30), (9.5, 30)))


def g_desktop(L):
    m = L.new()
    monitor(m)
    m.cut(*folder(15.5, 13.5, 32.5, 28))
    m.add(rect(15.5, 19.5, 32.5, 20.3))


def g_control_panel(L):
    m = L.new()
    m.add(capsule(15, 16, 33, 16, 10)).cut(circle(33, 16, 3.4))
    m.add(capsule(15, 32, 33, 32, 10)).cut(capsule(15, 32, 33, 32, 7)).add(circle(15, 32, 3.4))


def g_login(L):
    m = L.new()
    key = [circle(14.5, 24, 7.5), bar(20, 24, 40, 24, 3.8), rect(31, 24, 34.5, 30.5), rect(36.2, 24, 39.6, 29)]
    m.add(*(rotate(s, -40) for s in key)).cut(rotate(circle(12.3, 24, 2.6), -40))


def g_firewall(L):
    m = L.new()
    x0, x1, y0, y1, gap = 7.0, 41.0, 10.0, 38.0, 1.7
    rows = 4
    h = (y1 - y0 - gap * (rows - 1)) / rows
    brick = (x1 - x0 - gap * 2) / 3
    for i in range(rows):
        top = y0 + i * (h + gap)
        x = x0 - (brick + gap) / 2 if i % 2 else x0
        while x < x1:
            m.add(rrect(max(x, x0), top, min(x + brick, x1), top + h, 1))
            x += brick + gap


def g_drive_lock(L):
    m = L.new()
    m.add(rrect(9, 17, 25, 42, 3))
    m.add(rect(11.5, 6, 22.5, 17)).cut(rect(13.5, 9, 16.2, 11.8), rect(17.8, 9, 20.5, 11.8))
    m.cut(rect(11.5, 15.5, 22.5, 17))
    body, shackle, hole = padlock(33, 32.5, 0.62)
    m.cut(rrect(23.5, 20.5, 43, 44.5, 3))
    m.add(body, *shackle).cut(*hole)


def g_uac(L):
    full = L.new()
    half = L.new(WHITE, 0.55)
    sh = shield(24, 7, 28, 35)
    split_x, split_y = 24, 7 + 35 * 0.45
    full.add(sh).intersect(Mask(full.size).add(rect(0, 0, split_x, split_y), rect(split_x, split_y, 48, 48)))
    half.add(sh).intersect(Mask(half.size).add(rect(split_x, 0, 48, split_y), rect(0, split_y, split_x, 48)))


def plus_sign(m, cx, cy):
    m.add(bar(cx - 4.3, cy, cx + 4.3, cy, 2.4), bar(cx, cy - 4.3, cx, cy + 4.3, 2.4))


def minus_sign(m, cx, cy):
    m.add(bar(cx - 4.3, cy, cx + 4.3, cy, 2.6))


def swap_sign(m, cx, cy):
    m.add(bar(cx - 4.5, cy - 2.3, cx + 2, cy - 2.3, 1.7), arrowhead(cx + 4.8, cy - 2.3, 0, 3.2, 4.2))
    m.add(bar(cx - 2, cy + 2.3, cx + 4.5, cy + 2.3, 1.7), arrowhead(cx - 4.8, cy + 2.3, 180, 3.2, 4.2))


def g_create_password(L):
    padlock_with_badge(L, BADGE_ADD, plus_sign)


def g_change_password(L):
    padlock_with_badge(L, BADGE_CHANGE, swap_sign)


def g_remove_password(L):
    padlock_with_badge(L, BADGE_REMOVE, minus_sign)


def g_about(L):
    m = L.new()
    m.add(circle(24, 24, 14.5))
    m.cut(circle(24, 16.5, 2.6), rrect(21.7, 21, 26.3, 33, 1))


def g_help(L):
    m = L.new()
    m.add(stroke_arc(24, 18, 7, 5, 185, 395), capsule(24, 29, 24, 26.5, 5))
    a = math.radians(395)
    m.add(capsule(24 + 7 * math.cos(a), 18 + 7 * math.sin(a), 24, 26.5, 5))
    m.add(circle(24, 36.5, 3))


def g_maker(L):
    m = L.new()
    m.add(cog(23, 22.5, 14.5, 11.5, 8, 7))
    m.cut(capsule(29, 33.5, 36.5, 37, 9.5))
    m.add(capsule(25, 31.5, 36.5, 37, 5.5))


# Tree pictures: folders and the empty-listing mark, on a transparent ground.
FOLDER_EDGE = (176, 124, 22)
FOLDER_BACK = (232, 180, 64)
FOLDER_FACE = (250, 214, 110)
EMPTY_MARK = (150, 150, 150)


def g_tree_folder(L):
    L.new(FOLDER_EDGE).add(*folder(3, 8, 45, 41))
    L.new(FOLDER_FACE).add(rrect(6, 15, 42, 38, 1.2))


def g_tree_folder_open(L):
    L.new(FOLDER_EDGE).add(*folder(3, 8, 45, 41))
    L.new(FOLDER_BACK).add(rrect(6, 15, 42, 38, 1.2))
    L.new(FOLDER_EDGE).add(poly((3, 41), (11, 20), (47, 20), (40, 41)))
    L.new(FOLDER_FACE).add(poly((7, 38.5), (13.2, 23), (43, 23), (37.6, 38.5)))


def g_tree_empty(L):
    L.new(EMPTY_MARK).add(circle(24, 24, 16)).cut(circle(24, 24, 11.5))
    L.new(EMPTY_MARK).add(rotate(bar(11, 24, 37, 24, 4.5), -45))


# Each picture: (identifier in picture_ids.h, size, colour, glyph, background: False a rounded
# tile, True a disc, None none).
PICTURES = [
    ('IDB_CATEGORY_0', 64, TWEAKS, g_tweaks, False),
    ('IDB_CATEGORY_1', 64, MAINTENANCE, g_maintenance, False),
    ('IDB_CATEGORY_2', 64, SECURITY, g_security, False),
    ('IDB_CATEGORY_3', 64, PASSWORDS, g_passwords, False),
    ('IDB_TWEAKS_0', 48, TWEAKS, g_performance, False),
    ('IDB_TWEAKS_1', 48, TWEAKS, g_performance2, False),
    ('IDB_TWEAKS_2', 48, TWEAKS, g_startup, False),
    ('IDB_TWEAKS_3', 48, TWEAKS, g_more_tweaks, False),
    ('IDB_TWEAKS_4', 48, TWEAKS, g_internet, False),
    ('IDB_TWEAKS_7', 48, TWEAKS, g_auto_tuner, False),
    ('IDB_TWEAKS_8', 48, TWEAKS, g_misc, False),
    ('IDB_TWEAKS_9', 48, TWEAKS, g_shell_tweaks, False),
    ('IDB_TWEAKS_10', 48, TWEAKS, g_services, False),
    ('IDB_MAINT_0', 48, MAINTENANCE, g_disk_usage, False),
    ('IDB_MAINT_1', 48, MAINTENANCE, g_disk_cleaner, False),
    ('IDB_MAINT_2', 48, MAINTENANCE, g_shared_dlls, False),
    ('IDB_MAINT_3', 48, MAINTENANCE, g_shell_browser, False),
    ('IDB_MAINT_4', 48, MAINTENANCE, g_control_center, False),
    ('IDB_MAINT_5', 48, MAINTENANCE, g_system_info, False),
    ('IDB_MAINT_6', 48, MAINTENANCE, g_toolbox, False),
    ('IDB_MAINT_7', 48, MAINTENANCE, g_restore, False),
    ('IDB_SECURITY_0', 48, SECURITY, g_start_menu, False),
    ('IDB_SECURITY_1', 48, SECURITY, g_system, False),
    ('IDB_SECURITY_2', 48, SECURITY, g_desktop, False),
    ('IDB_SECURITY_3', 48, SECURITY, g_control_panel, False),
    ('IDB_SECURITY_4', 48, SECURITY, g_login, False),
    ('IDB_SECURITY_6', 48, SECURITY, g_firewall, False),
    ('IDB_SECURITY_7', 48, SECURITY, g_drive_lock, False),
    ('IDB_SECURITY_8', 48, SECURITY, g_uac, False),
    ('IDB_PASSWORDS_0', 48, PASSWORDS, g_create_password, False),
    ('IDB_PASSWORDS_1', 48, PASSWORDS, g_change_password, False),
    ('IDB_PASSWORDS_2', 48, PASSWORDS, g_remove_password, False),
    ('IDB_PASSWORDS_3', 48, PASSWORDS, g_about, False),
    ('IDB_HELP', 32, HELP, g_help, True),
    ('IDB_MAKER', 48, MAKER, g_maker, True),
    ('IDB_TREE_FOLDER', 16, None, g_tree_folder, None),
    ('IDB_TREE_FOLDER_OPEN', 16, None, g_tree_folder_open, None),
    ('IDB_TREE_EMPTY', 16, None, g_tree_empty, None),
]


def picture_ids():
    """The numbers of the picture identifiers, as picture_ids.h defines them."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'picture_ids.h')
    with open(path) as f:
        ids = {name: int(value) for name, value in
               re.findall(r'^\s*#define\s+(IDB_\w+)\s+(\d+)', f.read(), re.MULTILINE)}
    drawn = {p[0] for p in PICTURES}
    if drawn != set(ids):
        sys.exit('make_assets.py: pictures and picture_ids.h disagree: %s'
                 % ', '.join(sorted(drawn ^ set(ids))))
    return ids


def write_pictures(out):
    ids = picture_ids()
    lines = ['// Generated by make_assets.py from picture_ids.h; do not edit.']
    for name, size, color, glyph, round_back in PICTURES:
        number = ids[name]
        pic = paint_plain(size, glyph) if round_back is None else paint_picture(size, color, glyph, round_back)
        write_bmp(os.path.join(out, 'pic_%d.bmp' % number), pic)
        lines.append('%d BITMAP "pic_%d.bmp"  // %s' % (number, number, name))
    with open(os.path.join(out, 'pictures.rc'), 'w') as f:
        f.write('\n'.join(lines) + '\n')


def write_click(path, freq, length_ms, rate=22050):
    frames = bytearray()
    n = int(rate * length_ms / 1000)
    for i in range(n):
        t = i / rate
        env = math.exp(-t * 90)
        v = math.sin(2 * math.pi * freq * t) * env * 0.6
        frames += struct.pack('<h', int(v * 32767))
    with wave.open(path, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(bytes(frames))


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write_ico(os.path.join(out, 'quenvor.ico'), [app_icon(16), app_icon(32), app_icon(48)])
    write_pictures(out)
    write_click(os.path.join(out, 'click1.wav'), 1800, 40)
    write_click(os.path.join(out, 'click2.wav'), 1200, 55)
    with open(os.path.join(out, 'assets.stamp'), 'w') as f:
        f.write('ok\n')


if __name__ == '__main__':
    main()
