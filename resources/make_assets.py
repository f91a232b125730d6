#!/usr/bin/env python3
"""Draws the program's icon and pictures and synthesises its click sounds.

Everything is generated from this file so the repository holds no opaque binaries.
Usage: make_assets.py OUTPUT_DIR
"""
import math
import os
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
    write_click(os.path.join(out, 'click1.wav'), 1800, 40)
    write_click(os.path.join(out, 'click2.wav'), 1200, 55)
    with open(os.path.join(out, 'assets.stamp'), 'w') as f:
        f.write('ok\n')


if __name__ == '__main__':
    main()
