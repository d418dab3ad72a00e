#!/usr/bin/env python3
"""Draws the replace list editor's images: its icon (a list of patterns with a pencil) in
16, 32 and 48 pixels as listedit.ico, and the ten toolbar images of 16 by 15 pixels side by
side as listedit-toolbar.bmp, on the light grey the toolbar makes transparent. With
--preview, toolbar-preview.pam shows the toolbar images four times enlarged (the icon
previews come from make-icon.py's own). Run it after changing a drawing; the files are
kept in the repository."""
import importlib.util
import struct
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
_spec = importlib.util.spec_from_file_location("make_icon", HERE / "make-icon.py")
make_icon = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(make_icon)
icon_image, icon_file, render = make_icon.icon_image, make_icon.icon_file, make_icon.render

SIZES = (48, 32, 16)

SHEET = (255, 255, 255)
EDGE = (70, 80, 95)
HEADER = (60, 110, 200)
RULE = (170, 180, 195)
SELECTED = (200, 220, 250)
PENCIL = (240, 190, 40)
PENCIL_EDGE = (120, 80, 10)
WOOD = (245, 215, 160)
LEAD = (40, 40, 40)


def icon_colour(x, y, size):
    u = size / 48.0
    if size == 16:
        left, top, right, bottom, header, rows, columns = 1, 2, 13, 14, 4, (7, 10), (5, 9)
    else:
        left, top, right, bottom = 4 * u, 6 * u, 38 * u, 42 * u
        header, rows, columns = 13 * u, [19 * u, 25 * u, 31 * u, 37 * u], (15 * u, 27 * u)
    edge = 1.0 if size <= 32 else 1.5
    colour = None
    if left <= x < right and top <= y < bottom:
        colour = SHEET
        if y < header:
            colour = HEADER
        elif size > 16 and rows[0] <= y < rows[1]:
            colour = SELECTED
        if y >= header and any(c <= x < c + max(1.0, u) for c in columns):
            colour = RULE
        if any(r <= y < r + max(1.0, u) for r in rows):
            colour = RULE
        if x < left + edge or x >= right - edge or y < top + edge or y >= bottom - edge:
            colour = EDGE
    # The pencil lies from the top right to the bottom middle, its lead at the bottom.
    if size == 16:
        tip, back, half = (7.5, 14.5), (15.5, 4.5), 1.8
    else:
        tip, back, half = (22 * u, 45 * u), (46 * u, 12 * u), 4.2 * u
    dx, dy = back[0] - tip[0], back[1] - tip[1]
    length = (dx * dx + dy * dy) ** 0.5
    ux, uy = dx / length, dy / length
    along = (x - tip[0]) * ux + (y - tip[1]) * uy
    across = -(x - tip[0]) * uy + (y - tip[1]) * ux
    cone = 3.2 * half
    if 0 <= along <= length and abs(across) <= half * min(1.0, along / cone):
        if along < cone * 0.4:
            colour = LEAD
        elif along < cone:
            colour = WOOD
        else:
            colour = PENCIL_EDGE if abs(across) > half - (1.0 if size > 16 else 0.6) else PENCIL
    return colour


PALETTE = {
    ".": (192, 192, 192),  # transparent
    "k": (0, 0, 0),
    "g": (128, 128, 128),
    "s": (160, 160, 160),
    "w": (255, 255, 255),
    "y": (240, 200, 60),
    "o": (250, 225, 140),
    "b": (30, 60, 170),
    "l": (120, 160, 230),
    "r": (210, 30, 30),
    "G": (20, 140, 40),
    "p": (240, 190, 40),
    "t": (245, 215, 160),
}

# new, open, save | insert, edit, delete | cut, paste | up, down; 16 by 15 each.
TOOLBAR = [
    ["................",
     "...kkkkkkk......",
     "...kwwwwwkk.....",
     "...kwwwwwkwk....",
     "...kwwwwwkkkk...",
     "...kwwwwwwwwk...",
     "...kwwwwwwwwk...",
     "...kwwwwwwwwk...",
     "...kwwwwwwwwk...",
     "...kwwwwwwwwk...",
     "...kwwwwwwwwk...",
     "...kwwwwwwwwk...",
     "...kwwwwwwwwk...",
     "...kkkkkkkkkk...",
     "................"],
    ["................",
     "................",
     ".kkkk...........",
     "kyyyyk..........",
     "kyyyyykkkkkk....",
     "kyyyyyyyyyyk....",
     "kyyyyyyyyyyk....",
     "kyykkkkkkkkkkkk.",
     "kyykoooooooooook",
     "kykoooooooooook.",
     "kykooooooooook..",
     "kkoooooooooook..",
     "kkoooooooooook..",
     "kkkkkkkkkkkkk...",
     "................"],
    ["................",
     ".kkkkkkkkkkkkk..",
     ".kbkwwwwwwwkbk..",
     ".kbkwwwwwwwkbk..",
     ".kbkwwwwwwwkbk..",
     ".kbkwwwwwwwkbk..",
     ".kbbkkkkkkkbbk..",
     ".kbbbbbbbbbbbk..",
     ".kbbsssssssbbk..",
     ".kbbskkssssbbk..",
     ".kbbskkssssbbk..",
     ".kbbskkssssbbk..",
     ".kbbsssssssbbk..",
     "..kkkkkkkkkkkk..",
     "................"],
    ["................",
     ".kkkkkkkkkkk....",
     ".kwwwwwwwwwk....",
     ".kkkkkkkkkkk....",
     ".kwwwwwwwwwk....",
     ".kkkkkkkkkkk....",
     "...........GG...",
     "...........GG...",
     ".kkkkkkkGGGGGGG.",
     ".kwwwwwwGGGGGGG.",
     ".kkkkkkkkkkGG...",
     ".kwwwwwwwwwGG...",
     ".kkkkkkkkkkk....",
     "................",
     "................"],
    ["................",
     ".kkkkkkkkkkk....",
     ".kwwwwwwwwwk..k.",
     ".kkkkkkkkkkk.kyk",
     ".kllllllllk.kypk",
     ".kkkkkkkkk.kypk.",
     ".kwwwwwwwwkypk..",
     ".kkkkkkkkkypk...",
     ".kwwwwwwwkypk...",
     ".kkkkkkkktpk....",
     ".kwwwwwwktk.....",
     ".kkkkkkkkk......",
     "................",
     "................",
     "................"],
    ["................",
     "................",
     "..rr.......rr...",
     "..rrr.....rrr...",
     "...rrr...rrr....",
     "....rrr.rrr.....",
     ".....rrrrr......",
     "......rrr.......",
     ".....rrrrr......",
     "....rrr.rrr.....",
     "...rrr...rrr....",
     "..rrr.....rrr...",
     "..rr.......rr...",
     "................",
     "................"],
    ["................",
     "....k.....k.....",
     "....k.....k.....",
     "....k.....k.....",
     "....kk...kk.....",
     ".....k...k......",
     ".....kk.kk......",
     "......kkk.......",
     ".......k........",
     "......b.b.......",
     "...bbbb.bbbb....",
     "..b..b...b..b...",
     "..b..b...b..b...",
     "...bb.....bb....",
     "................"],
    ["................",
     "......kkk.......",
     "..kkkkgggkkkk...",
     ".kyyyk...kyyyk..",
     ".kyyykkkkkyyyk..",
     ".kyyyyyyyyyyyk..",
     ".kyyyykkkkkkkkk.",
     ".kyyyykwwwwwwwk.",
     ".kyyyykwkkkkkwk.",
     ".kyyyykwwwwwwwk.",
     ".kyyyykwkkkkkwk.",
     ".kyyyykwwwwwwwk.",
     ".kkkkkkwkkkkwwk.",
     "......kwwwwwwwk.",
     "......kkkkkkkkk."],
    ["................",
     ".......G........",
     "......GGG.......",
     ".....GGGGG......",
     "....GGGGGGG.....",
     "...GGGGGGGGG....",
     "......GGG.......",
     "......GGG.......",
     "......GGG.......",
     "......GGG.......",
     "......GGG.......",
     "......GGG.......",
     "......GGG.......",
     "................",
     "................"]
]
# The down arrow is the up arrow upside down.
TOOLBAR.append(TOOLBAR[-1][::-1])


def toolbar_pixels():
    width, height = 16 * len(TOOLBAR), 15
    for image in TOOLBAR:
        assert len(image) == height and all(len(row) == 16 for row in image), image
    return width, height, [[PALETTE[image[y][x]] for image in TOOLBAR for x in range(16)] for y in range(height)]


def bitmap_file(width, height, rows):
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        data += line + bytes(stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(data), 0, 0, 14 + len(header)) + header + data


def main():
    icons = [(size, icon_image(size, render(size, icon_colour))) for size in SIZES]
    (HERE / "listedit.ico").write_bytes(icon_file(icons))
    width, height, rows = toolbar_pixels()
    (HERE / "listedit-toolbar.bmp").write_bytes(bitmap_file(width, height, rows))
    if "--preview" in sys.argv:
        scale = 4
        header = f"P7\nWIDTH {width * scale}\nHEIGHT {height * scale}\nDEPTH 3\nMAXVAL 255\nTUPLTYPE RGB\nENDHDR\n"
        pixels = bytes(v for row in rows for _ in range(scale) for p in row for _ in range(scale) for v in p)
        Path("toolbar-preview.pam").write_bytes(header.encode() + pixels)


if __name__ == "__main__":
    main()
