#!/usr/bin/env python3
"""Draws the program's icon (a page whose lines are being rewritten, with an arrow badge)
in 16, 32 and 48 pixels and writes tarvelox.ico; with --preview, a PAM image of each size
too. Run it after changing the drawing; the .ico is kept in the repository."""
import math
import struct
import sys
from pathlib import Path

SIZES = (48, 32, 16)
SAMPLES = 4  # per pixel and axis, for smooth edges

PAGE = (255, 255, 255)
PAGE_EDGE = (70, 80, 95)
FOLD = (210, 218, 228)
TEXT = (60, 110, 200)
REWRITTEN = (230, 110, 30)
BADGE = (40, 150, 90)
BADGE_EDGE = (20, 100, 55)
ARROW = (255, 255, 255)


def inside_polygon(x, y, points):
    inside = False
    for i in range(len(points)):
        x1, y1 = points[i]
        x2, y2 = points[(i + 1) % len(points)]
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def color_at(x, y, size):
    """The colour of the point (x, y), in pixels of an image of `size`, or None."""
    u = size / 48.0  # the drawing is designed on 48 pixels
    edge = max(1.0, 1.5 * u) if size > 16 else 1.0
    left, top, right, bottom, fold = 8 * u, 3 * u, 36 * u, 44 * u, 10 * u
    if size == 16:
        left, top, right, bottom, fold = 2, 1, 12, 15, 4
    page = [(left, top), (right - fold, top), (right, top + fold), (right, bottom), (left, bottom)]
    inner = [(left + edge, top + edge), (right - fold - edge * 0.4, top + edge), (right - edge, top + fold + edge * 0.4),
             (right - edge, bottom - edge), (left + edge, bottom - edge)]
    colour = None
    if inside_polygon(x, y, page):
        colour = PAGE if inside_polygon(x, y, inner) else PAGE_EDGE
        if inside_polygon(x, y, [(right - fold, top), (right - fold, top + fold), (right, top + fold)]):
            colour = FOLD
            if x < right - fold + edge or y > top + fold - edge:
                colour = PAGE_EDGE
        # Lines of text; the third is the one being rewritten.
        step, height = (6 * u, 2.5 * u) if size > 16 else (3, 1)
        first = top + (12 * u if size > 16 else 4)
        for n, (start, stop) in enumerate([(0.0, 0.8), (0.0, 0.6), (0.0, 0.45), (0.0, 0.7), (0.0, 0.5)]):
            line_top = first + n * step
            line_left = left + edge + (4 * u if size > 16 else 1)
            width = right - edge - (4 * u if size > 16 else 1) - line_left
            if line_top <= y < line_top + height and line_left + start * width <= x < line_left + stop * width:
                colour = REWRITTEN if n == 2 else TEXT
            if size == 16 and n >= 3:
                break
    # The badge: a green disc with a white arrow pointing right.
    cx, cy, radius = (34 * u, 34 * u, 13 * u) if size > 16 else (11, 11, 5)
    distance = math.hypot(x - cx, y - cy)
    if distance <= radius:
        colour = BADGE if distance <= radius - edge else BADGE_EDGE
        shaft = radius * 0.22
        head = radius * 0.55
        tip = cx + radius * 0.62
        tail = cx - radius * 0.6
        neck = tip - head
        if tail <= x <= neck and abs(y - cy) <= shaft:
            colour = ARROW
        if neck <= x <= tip and abs(y - cy) <= (tip - x) * (head / (tip - neck)):
            colour = ARROW
    return colour


def render(size, colour_of=None):
    """The RGBA pixels of a drawing `colour_of(x, y, size)`, this icon's by default."""
    colour_of = colour_of or color_at
    pixels = []
    for row in range(size):
        for column in range(size):
            r = g = b = a = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_of(column + (sx + 0.5) / SAMPLES, row + (sy + 0.5) / SAMPLES, size)
                    if c:
                        r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
            n = SAMPLES * SAMPLES
            pixels.append((r // a, g // a, b // a, 255 * a // n) if a else (0, 0, 0, 0))
    return pixels


def icon_image(size, pixels):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(range(size)):
        for r, g, b, a in pixels[row * size:(row + 1) * size]:
            colour += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(range(size)):
        bits = bytearray(mask_row)
        for column in range(size):
            if pixels[row * size + column][3] == 0:
                bits[column // 8] |= 0x80 >> (column % 8)
        mask += bits
    return header + colour + mask


def icon_file(images):
    """An .ico file of (size, icon_image) pairs."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, data in images:
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(data for _, data in images)


def main():
    here = Path(__file__).resolve().parent
    (here / "tarvelox.ico").write_bytes(icon_file([(size, icon_image(size, render(size))) for size in SIZES]))
    if "--preview" in sys.argv:
        for size in SIZES:
            pixels = render(size)
            header = f"P7\nWIDTH {size}\nHEIGHT {size}\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n"
            Path(f"icon-{size}.pam").write_bytes(header.encode() + bytes(v for p in pixels for v in p))


if __name__ == "__main__":
    main()
