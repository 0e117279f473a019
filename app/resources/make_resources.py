#!/usr/bin/env python3
"""Draws zem40's bitmaps, cursors and icon and writes generated.rc that names them.

Usage: make_resources.py <output folder>

Every command-bar button gets four pictures (normal, pushed, disabled, hover) at the
button's size; the Link button gets one set per link direction and target. Nothing here
needs more than the standard library.
"""
import os
import struct
import sys

BUTTON_W, BUTTON_H = 45, 42
SMALL_W, SMALL_H = 16, 12
FACE = (192, 192, 192)
HOVER_FACE = (226, 234, 250)
WHITE, BLACK, GREY, DARK = (255, 255, 255), (0, 0, 0), (128, 128, 128), (64, 64, 64)

# A 5 x 7 pixel font for the few letters the pictures carry.
FONT = {
    'A': ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    'C': ["01111", "10000", "10000", "10000", "10000", "10000", "01111"],
    'E': ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    'O': ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    'P': ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    'Z': ["11111", "00001", "00010", "00100", "01000", "10000", "11111"],
    '!': ["00100", "00100", "00100", "00100", "00100", "00000", "00100"],
}

# A 5 x 7 font for the letters of the index tabs and the album's letter column.
LETTERS = {
    'A': FONT['A'], 'B': ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    'C': FONT['C'], 'D': ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    'E': FONT['E'], 'F': ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    'G': ["01111", "10000", "10000", "10011", "10001", "10001", "01111"],
    'H': ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    'I': ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    'J': ["00111", "00010", "00010", "00010", "00010", "10010", "01100"],
    'K': ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    'L': ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    'M': ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    'N': ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    'O': FONT['O'], 'P': FONT['P'],
    'Q': ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    'R': ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    'S': ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    'T': ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    'U': ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    'V': ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    'W': ["10001", "10001", "10001", "10101", "10101", "10101", "01010"],
    'X': ["10001", "10001", "01010", "00100", "01010", "10001", "10001"],
    'Y': ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
    'Z': FONT['Z'], '*': ["00000", "10101", "01110", "11111", "01110", "10101", "00000"],
    '-': ["00000", "00000", "00000", "11111", "00000", "00000", "00000"],
    '+': ["00000", "00100", "00100", "11111", "00100", "00100", "00000"],
}
FONT.update(LETTERS)


class Canvas:
    """A 24-bit picture, top row first."""

    def __init__(self, w, h, colour):
        self.w, self.h = w, h
        self.px = [[colour] * w for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        self.line(x0, y0, x1, y0, c)
        self.line(x0, y1, x1, y1, c)
        self.line(x0, y0, x0, y1, c)
        self.line(x1, y0, x1, y1, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.put(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def disc(self, cx, cy, r, c):
        for y in range(cy - r, cy + r + 1):
            for x in range(cx - r, cx + r + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.put(x, y, c)

    def ring(self, cx, cy, r, c, width=1):
        for y in range(cy - r, cy + r + 1):
            for x in range(cx - r, cx + r + 1):
                d = (x - cx) ** 2 + (y - cy) ** 2
                if (r - width) ** 2 < d <= r * r:
                    self.put(x, y, c)

    def polygon(self, pts, c):
        ys = [p[1] for p in pts]
        for y in range(min(ys), max(ys) + 1):
            xs = []
            for i, (xa, ya) in enumerate(pts):
                xb, yb = pts[(i + 1) % len(pts)]
                if (ya <= y < yb) or (yb <= y < ya):
                    xs.append(xa + (y - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for i in range(0, len(xs) - 1, 2):
                for x in range(int(round(xs[i])), int(round(xs[i + 1])) + 1):
                    self.put(x, y, c)

    def text(self, x, y, s, c):
        for ch in s:
            rows = FONT[ch]
            for j, row in enumerate(rows):
                for i, bit in enumerate(row):
                    if bit == '1':
                        self.put(x + i, y + j, c)
            x += 6


# Pictures, drawn into a 45 x 42 canvas around its centre.
def card(cv, x, y, w=22, h=14, c=WHITE):
    cv.fill(x, y, x + w, y + h, c)
    cv.frame(x, y, x + w, y + h, DARK)


def draw_open(cv):
    cv.polygon([(9, 13), (18, 13), (21, 16), (35, 16), (35, 31), (9, 31)], (200, 160, 40))
    cv.polygon([(12, 20), (38, 20), (34, 31), (9, 31)], (250, 210, 80))
    cv.frame(9, 13, 35, 31, DARK)


def draw_print(cv):
    cv.fill(14, 7, 30, 18, WHITE)
    cv.frame(14, 7, 30, 18, DARK)
    cv.fill(8, 17, 36, 29, (150, 150, 150))
    cv.frame(8, 17, 36, 29, DARK)
    cv.fill(14, 26, 30, 34, WHITE)
    cv.frame(14, 26, 30, 34, DARK)
    for yy in (29, 31):
        cv.line(16, yy, 28, yy, GREY)
    cv.disc(32, 21, 1, (0, 160, 0))


def draw_search(cv):
    cv.ring(19, 18, 9, DARK, 3)
    cv.disc(19, 18, 6, (200, 230, 255))
    for d in range(4):
        cv.line(25 + d, 25, 33 + d, 33, (120, 70, 20))
        cv.line(25, 25 + d, 33, 33 + d, (120, 70, 20))


def draw_sort(cv):
    cv.text(10, 7, "A", (0, 0, 160))
    cv.text(10, 26, "Z", (0, 0, 160))
    cv.fill(27, 8, 29, 26, (180, 0, 0))
    cv.polygon([(22, 25), (34, 25), (28, 33)], (180, 0, 0))


def draw_album(cv):
    for row in range(2):
        for col in range(3):
            card(cv, 7 + col * 11, 9 + row * 12, 9, 9, (255, 255, 230))
            cv.line(9 + col * 11, 12 + row * 12, 14 + col * 11, 12 + row * 12, (0, 0, 160))


def draw_editor(cv):
    card(cv, 6, 10, 26, 18)
    for yy in (14, 18, 22):
        cv.line(9, yy, 22, yy, (0, 0, 160))
    cv.polygon([(33, 8), (37, 12), (24, 29), (20, 29), (20, 25)], (230, 180, 0))
    cv.line(33, 8, 20, 25, DARK)
    cv.line(37, 12, 24, 29, DARK)


def draw_list(cv):
    for i in range(5):
        y = 9 + i * 5
        cv.fill(9, y, 11, y + 2, (0, 0, 160))
        cv.line(14, y + 1, 35, y + 1, DARK)


def draw_deck(cv):
    cv.fill(20, 26, 24, 33, DARK)
    cv.fill(12, 32, 32, 34, DARK)
    for i in range(3):
        card(cv, 9 + i * 2, 8 + i * 4, 24, 14, (255, 255, 240))
    cv.line(13, 22, 28, 22, (0, 0, 160))


def draw_newcard(cv):
    card(cv, 6, 12, 24, 16)
    cv.line(9, 16, 22, 16, (0, 0, 160))
    cv.line(9, 20, 18, 20, (0, 0, 160))
    cv.fill(31, 9, 33, 21, (0, 150, 0))
    cv.fill(26, 14, 38, 16, (0, 150, 0))


def draw_scan(cv):
    cv.polygon([(6, 22), (38, 22), (38, 32), (6, 32)], (160, 160, 170))
    cv.frame(6, 22, 38, 32, DARK)
    cv.fill(9, 25, 35, 27, (120, 255, 120))
    card(cv, 12, 8, 20, 12)
    cv.line(15, 12, 28, 12, (0, 0, 160))


def draw_export(cv):
    cv.fill(7, 14, 23, 32, (250, 210, 80))
    cv.frame(7, 14, 23, 32, DARK)
    cv.fill(17, 21, 31, 25, (0, 120, 0))
    cv.polygon([(30, 16), (38, 23), (30, 30)], (0, 120, 0))


def draw_globe(cv):
    cv.disc(22, 20, 12, (60, 120, 220))
    cv.polygon([(15, 12), (22, 10), (24, 17), (18, 22), (14, 18)], (60, 170, 60))
    cv.polygon([(24, 22), (31, 21), (29, 29), (25, 28)], (60, 170, 60))
    cv.ring(22, 20, 12, DARK)


def draw_upgrade(cv):
    draw_globe(cv)
    cv.polygon([(32, 22), (40, 30), (36, 30), (36, 36), (28, 36), (28, 30), (24, 30)], (220, 40, 40))


LINK_LABELS = ["P", "CE", "", "O", "OE", "A!"]


def draw_link(cv, direction, target):
    # Direction 1 export (arrow to the device), 2 import (arrow back), 3 both.
    card(cv, 4, 10, 15, 11, WHITE)
    cv.fill(27, 7, 40, 33, (90, 90, 110))
    cv.fill(29, 10, 38, 24, (200, 230, 200))
    label = LINK_LABELS[target]
    if label:
        cv.text(34 - 3 * len(label), 13, label, (0, 0, 128))
    else:  # the cellular phone
        cv.fill(31, 12, 35, 22, DARK)
        cv.line(35, 8, 35, 12, DARK)
    green, red = (0, 140, 0), (180, 0, 0)
    if direction in (1, 3):
        cv.fill(10, 25, 20, 26, green)
        cv.polygon([(20, 22), (25, 25), (20, 29)], green)
    if direction in (2, 3):
        cv.fill(11, 32, 21, 33, red)
        cv.polygon([(11, 29), (6, 32), (11, 36)], red)


def draw_options(cv):
    cv.polygon([(4, 4), (11, 4), (7, 8)], BLACK)


PICTURES = {
    700: draw_open, 701: draw_print, 702: draw_search, 703: draw_sort, 704: draw_album,
    705: draw_editor, 706: draw_list, 707: draw_deck, 708: draw_newcard, 709: draw_scan,
    710: draw_export, 711: lambda cv: draw_link(cv, 1, 0), 712: draw_options, 713: draw_globe,
    714: draw_upgrade,
}


def make_button(draw, state, w=BUTTON_W, h=BUTTON_H):
    face = HOVER_FACE if state == 'hover' else FACE
    pic = Canvas(w, h, face)
    draw(pic)
    cv = Canvas(w, h, face)
    shift = 1 if state == 'pushed' else 0
    # A disabled picture keeps only its dark strokes, etched in grey over a white shadow.
    etched = [[c != face and sum(c) < 400 for c in row] for row in pic.px]
    for y in range(h):
        for x in range(w):
            c = pic.px[y][x]
            if state != 'disabled' and c != face:
                cv.put(x + shift, y + shift, c)
            elif state == 'disabled' and etched[y][x]:
                cv.put(x + 1, y + 1, WHITE)
    if state == 'disabled':
        for y in range(h):
            for x in range(w):
                if etched[y][x]:
                    cv.put(x, y, GREY)
    light, dark = (GREY, WHITE) if state == 'pushed' else (WHITE, GREY)
    cv.line(0, 0, w - 1, 0, light)
    cv.line(0, 0, 0, h - 1, light)
    cv.line(w - 1, 0, w - 1, h - 1, dark)
    cv.line(0, h - 1, w - 1, h - 1, dark)
    return cv


def bar_tile():
    cv = Canvas(8, 51, FACE)
    for y in range(51):
        v = 214 - (y * 30) // 51
        cv.fill(0, y, 7, y, (v, v, v + 6 if v + 6 < 256 else 255))
    return cv


def write_bmp(path, cv):
    """A 24-bit bottom-up BMP without colour table."""
    stride = (cv.w * 3 + 3) // 4 * 4
    rows = []
    for y in range(cv.h - 1, -1, -1):
        row = bytearray()
        for r, g, b in cv.px[y]:
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, cv.w, cv.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def mono_rows(mask, w, h):
    stride = (w + 31) // 32 * 4
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if mask[y][x]:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def write_cursor(path, shape, hotspot):
    """A 32 x 32 two-colour cursor: shape rows of ' ' transparent, 'X' black, '.' white."""
    w = h = 32
    grid = [row.ljust(w)[:w] for row in shape] + [" " * w] * (h - len(shape))
    xor = [[1 if ch == '.' else 0 for ch in row] for row in grid]
    andm = [[1 if ch == ' ' else 0 for ch in row] for row in grid]
    body = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    body += bytes((0, 0, 0, 0, 255, 255, 255, 0)) + mono_rows(xor, w, h) + mono_rows(andm, w, h)
    head = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", w, h, 2, 0, hotspot[0], hotspot[1], len(body), 22)
    with open(path, "wb") as f:
        f.write(head + body)


def write_icon(path, cv):
    w, h = cv.w, cv.h
    stride = (w * 3 + 3) // 4 * 4
    pixels = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for r, g, b in cv.px[y]:
            row += bytes((b, g, r))
        pixels += row + b"\0" * (stride - len(row))
    andm = mono_rows([[0] * w for _ in range(h)], w, h)
    body = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 24, 0, 0, 0, 0, 0, 0) + bytes(pixels) + andm
    head = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", w, h, 0, 0, 1, 24, len(body), 22)
    with open(path, "wb") as f:
        f.write(head + body)


ARROW = ["X", "XX", "X.X", "X..X", "X...X", "X....X", "X.....X", "X......X", "X.......X",
         "X........X", "X.....XXXX", "X..X..X", "X.X X..X", "XX  X..X", "X    X..X", "     X..X", "      XX"]
HAND = ["     XX", "    X..X", "    X..X", "    X..X", "    X..XXX", "    X..X..XXX", " XX X..X..X..XX",
        "X..XX..X..X..X.X", "X...X........X..X", " X..X...........X", "  X.............X", "  X............X",
        "   X...........X", "   X..........X", "    X.........X", "    XXXXXXXXXXX"]
HAND_UP = ["    XXXXXXXXXXX", "    X.........X", "   X..........X", "   X...........X", "  X............X",
           "  X.............X", " X..X...........X", "X...X........X..X", "X..XX..X..X..X.X", " XX X..X..X..XX",
           "    X..X..XXX", "    X..XXX", "    X..X", "    X..X", "    X..X", "     XX"]
CROSS = [" " * 7 + "X"] * 7 + ["XXXXXXX.XXXXXXX"] + [" " * 7 + "X"] * 7
IBEAM = ["XXX XXX", "   X", "   X", "   X", "   X", "   X", "   X", "   X", "   X", "   X", "   X",
         "   X", "   X", "   X", "XXX XXX"]
ROW_ARROW = ["", "", "", "", "  X", "  XX", "XXX.X", "X....X", "XXX.X", "  XX", "  X"]
COL_ARROW = ["    X", "    X", "    X", "   X.X", "  X...X", " X.....X", "XXXX.XXXX", "   X.X", "   XXX"]
SIZE = ["    X  X", "    X  X", "  X X  X X", " XX X  X XX", "X.XXX  XXX.X", " XX X  X XX", "  X X  X X",
        "    X  X", "    X  X"]
DROP = ARROW[:12] + ["X.X X..X", "XX  X..X  XXXX", "X    X..X X..X", "     X..X X..X", "      XX  XXXX"]
STOP = ["    XXXXXX", "  XX......XX", " X..........X", " X..XX..XX..X", "X....XX.XX...X", "X.....XXX....X",
        "X.....XXX....X", "X....XX.XX...X", " X..XX...XX.X", " X..........X", "  XX......XX", "    XXXXXX"]
LENS_IN = ["   XXXX", "  X....X", " X..X...X", "X...X....X", "X.XXXXX..X", "X...X....X", " X..X...X",
           "  X....X", "   XXXXXX", "        XXX", "         XXX", "          XX"]
LENS_OUT = ["   XXXX", "  X....X", " X......X", "X........X", "X.XXXXX..X", "X........X", " X......X",
            "  X....X", "   XXXXXX", "        XXX", "         XXX", "          XX"]
MOVE = ["       X", "      X.X", "     X...X", "       X", "  X    X    X", " X.XXXXXXXXX.X",
        "X...........X", " X.XXXXXXXXX.X", "  X    X    X", "       X", "     X...X", "      X.X", "       X"]

CURSORS = {
    "LIST_SELROW": (ROW_ARROW, (5, 7)), "LIST_SELCOL": (COL_ARROW, (4, 8)), "LIST_SELSIZE": (SIZE, (6, 4)),
    "LIST_DROP": (DROP, (0, 0)), "LIST_HAND": (HAND, (5, 0)), "LIST_HANDUP": (HAND_UP, (8, 8)),
    "LIST_ZOOMIN": (LENS_IN, (4, 4)), "LIST_ZOOMOUT": (LENS_OUT, (4, 4)), "LIST_STOP": (STOP, (6, 6)),
    "CUR_FINGER": (HAND, (5, 0)), "FMOVECUR": (MOVE, (6, 6)),
    "66": (IBEAM, (3, 7)), "67": (CROSS, (7, 7)),
}


# Thumbnail palette entry of each cube index (red level + 6 x green level + 36 x blue level);
# cube colours that the static colours already hold map onto those, every other one has an
# entry of its own.
CUBE_TO_PALETTE = [
    0, 29, 30, 31, 32, 249, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53,
    54, 55, 56, 250, 10, 57, 58, 59, 251, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76,
    77, 78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 11, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99, 100, 101,
    102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 227, 112, 113, 114, 115, 116, 117, 118, 119, 151, 120,
    121, 122, 123, 124, 228, 125, 126, 229, 133, 162, 135, 131, 132, 137, 166, 134, 140, 130, 136, 143, 138,
    139, 174, 141, 142, 177, 129, 144, 145, 146, 147, 148, 149, 150, 157, 152, 153, 154, 155, 156, 192, 158,
    159, 160, 161, 196, 163, 164, 165, 127, 199, 167, 168, 169, 170, 171, 172, 173, 207, 175, 176, 210, 178,
    179, 180, 181, 182, 183, 184, 185, 186, 187, 188, 189, 190, 191, 224, 193, 194, 195, 252, 12, 197, 198, 128,
    253, 13, 200, 201, 202, 203, 204, 205, 206, 230, 208, 209, 231, 211, 212, 213, 214, 215, 216, 217, 218, 219,
    220, 221, 222, 254, 223, 232, 225, 226, 255]


def palette_data():
    """PALDATA1: 256 RGBQUADs: the 20 static colours at 0-9 and 246-255, the 6 x 6 x 6 cube at
    the entries CUBE_TO_PALETTE names, and grey steps (34, 66, 193 and 221 at 16, 20, 233, 241)
    in the entries left over."""
    entries = [None] * 256
    low = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (192, 220, 192), (166, 202, 240)]
    high = [(255, 251, 240), (160, 160, 164), (128, 128, 128), (255, 0, 0), (0, 255, 0),
            (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
    entries[0:10] = low
    entries[246:256] = high
    for index, entry in enumerate(CUBE_TO_PALETTE):
        if entries[entry] is None:
            r, g, b = index % 6, index // 6 % 6, index // 36
            entries[entry] = (51 * r, 51 * g, 51 * b)
    greys = {14: 24, 15: 29, 16: 34, 17: 42, 18: 50, 19: 58, 20: 66, 21: 71,
             22: 76, 23: 81, 24: 86, 25: 91, 26: 96, 27: 111, 28: 116, 233: 193, 234: 196, 235: 199, 236: 202,
             237: 205, 238: 208, 239: 212, 240: 216, 241: 221, 242: 225, 243: 229, 244: 233, 245: 237}
    for entry, v in greys.items():
        assert entries[entry] is None
        entries[entry] = (v, v, v)
    assert all(e is not None for e in entries)
    return b"".join(bytes((b, g, r, 0)) for r, g, b in entries)


# 4 x 8 ordered-dither thresholds (0..31) for the grey patterns of reduced black-and-white images.
BAYER_4X8 = [0, 16, 4, 20, 1, 17, 5, 21, 24, 8, 28, 12, 25, 9, 29, 13,
             6, 22, 2, 18, 7, 23, 3, 19, 30, 14, 26, 10, 31, 15, 27, 11]


def gray_patterns(levels):
    """GRAYPAL: per grey level 0 (black) to levels - 1 (white) 32 four-bit colour indexes of the
    standard 16 colours (0 black, 7 grey 128, 8 grey 240, 15 white), dithered between the two
    nearest of them."""
    steps = [(0, 0), (7, 128), (8, 240), (15, 255)]
    out = bytearray()
    for level in range(levels):
        target = 255 * level / (levels - 1)
        for (lo, lv), (hi, hv) in zip(steps, steps[1:]):
            if target <= hv:
                break
        share = (target - lv) / (hv - lv)
        out += bytes(hi if BAYER_4X8[i] < round(share * 32) else lo for i in range(32))
    return bytes(out)


def write_empty_tiff(path):
    """A one-pixel white bilevel TIFF at 300 dpi: the blank page a new user's folder gets."""
    entries = [(256, 3, 1, 1), (257, 3, 1, 1), (258, 3, 1, 1), (259, 3, 1, 1), (262, 3, 1, 0),
               (273, 4, 1, 0), (278, 3, 1, 1), (279, 4, 1, 1), (282, 5, 1, 0), (283, 5, 1, 0), (296, 3, 1, 2)]
    ifd_size = 2 + 12 * len(entries) + 4
    rational_at = 8 + ifd_size
    pixel_at = rational_at + 16
    values = {273: pixel_at, 282: rational_at, 283: rational_at + 8}
    ifd = struct.pack("<H", len(entries))
    for tag, kind, count, value in entries:
        value = values.get(tag, value)
        packed = struct.pack("<HI", value, 0)[:4] if kind == 3 else struct.pack("<I", value)
        ifd += struct.pack("<HHI", tag, kind, count) + packed
    ifd += struct.pack("<I", 0)
    data = b"II*\0" + struct.pack("<I", 8) + ifd + struct.pack("<IIII", 300, 1, 300, 1) + b"\0"
    with open(path, "wb") as f:
        f.write(data)


# ---- the card views' pictures ----------------------------------------------------------------
DESK_BLUE = (161, 210, 234)
TAB_FACE, TAB_DOWN, TAB_GREY = (92, 118, 157), (61, 77, 102), (150, 156, 166)
STRIP_GREY = (118, 122, 118)


def bevel(cv, x0, y0, x1, y1, pushed=False):
    light, dark = (GREY, WHITE) if pushed else (WHITE, GREY)
    cv.line(x0, y0, x1, y0, light)
    cv.line(x0, y0, x0, y1, light)
    cv.line(x1, y0, x1, y1, dark)
    cv.line(x0, y1, x1, y1, dark)


def arrow(cv, cx, cy, direction, size, c):
    """A filled triangle pointing left, right, up or down around (cx, cy)."""
    s = size
    pts = {'left': [(cx + s // 2, cy - s), (cx + s // 2, cy + s), (cx - s // 2, cy)],
           'right': [(cx - s // 2, cy - s), (cx - s // 2, cy + s), (cx + s // 2, cy)],
           'up': [(cx - s, cy + s // 2), (cx + s, cy + s // 2), (cx, cy - s // 2)],
           'down': [(cx - s, cy - s // 2), (cx + s, cy - s // 2), (cx, cy + s // 2)]}[direction]
    cv.polygon(pts, c)


def small_button(w, h, draw, state):
    face = FACE if state != 'pushed' else (176, 176, 176)
    cv = Canvas(w, h, face)
    colour = GREY if state == 'disabled' else (0, 0, 96)
    draw(cv, colour, 1 if state == 'pushed' else 0)
    bevel(cv, 0, 0, w - 1, h - 1, state == 'pushed')
    return cv


def deck_background():
    cv = Canvas(448, 420, (70, 96, 136))
    for y in range(420):
        v = 60 + y * 50 // 420
        cv.fill(0, y, 447, y, (v, v + 26, v + 66))
    # The card holder: a ring binder with two cards, the text card and the image card.
    cv.fill(80, 38, 367, 400, (40, 52, 74))
    cv.frame(80, 38, 367, 400, (20, 24, 34))
    for x in (150, 298):
        cv.ring(x, 30, 10, (200, 200, 210), 3)
    cv.fill(90, 44, 357, 194, (236, 236, 228))
    cv.fill(99, 216, 348, 356, (236, 236, 228))
    return cv


def deck_tile():
    cv = Canvas(16, 16, (118, 122, 118))
    for y in range(16):
        for x in range(16):
            if (x + y) % 8 == 0:
                cv.put(x, y, (108, 112, 108))
    return cv


def card_paper(w, h):
    cv = Canvas(w, h, WHITE)
    cv.frame(0, 0, w - 1, h - 1, (200, 200, 200))
    for y in range(18, h - 4, 16):
        cv.line(6, y, w - 7, y, (236, 240, 248))
    return cv


def tab_row(kind):
    face = {'normal': TAB_FACE, 'pressed': TAB_DOWN, 'grey': TAB_GREY}[kind]
    ink = {'normal': WHITE, 'pressed': (255, 240, 160), 'grey': (200, 204, 210)}[kind]
    cv = Canvas(448, 21, STRIP_GREY)
    for k in range(27):
        x0 = k * 16
        x1 = 447 if k == 26 else x0 + 15
        cv.fill(x0 + 1, 2, x1 - 1, 20, face)
        cv.line(x0 + 1, 2, x1 - 1, 2, (158, 173, 197))
        cv.line(x0, 3, x0, 20, (158, 173, 197))
        cv.line(x1, 3, x1, 20, TAB_DOWN)
        label = '*' if k == 26 else chr(65 + k)
        cv.text((x0 + x1) // 2 - 2, 8, label, ink)
    return cv


def search_bar_background():
    cv = Canvas(448, 28, STRIP_GREY)
    for y in range(28):
        v = 132 - y * 20 // 28
        cv.fill(0, y, 447, y, (v, v + 4, v))
    return cv


def search_button(pushed):
    cv = Canvas(30, 19, FACE)
    shift = 1 if pushed else 0
    cv.ring(12 + shift, 8 + shift, 5, (0, 0, 96), 2)
    cv.line(16 + shift, 12 + shift, 21 + shift, 16 + shift, (0, 0, 96))
    cv.line(17 + shift, 12 + shift, 22 + shift, 16 + shift, (0, 0, 96))
    bevel(cv, 0, 0, 29, 18, pushed)
    return cv


def nav_picture(kind):
    def draw(cv, c, d):
        cx, cy = 8 + d, 9 + d
        if kind in ('first', 'prev'):
            arrow(cv, cx + (1 if kind == 'first' else 0), cy, 'left', 4, c)
        else:
            arrow(cv, cx - (1 if kind == 'last' else 0), cy, 'right', 4, c)
        if kind == 'first':
            cv.fill(cx - 4, cy - 4, cx - 3, cy + 4, c)
        if kind == 'last':
            cv.fill(cx + 3, cy - 4, cx + 4, cy + 4, c)
    return draw


def deck_arrow_picture(direction):
    def draw(cv, c, d):
        arrow(cv, 15 + d, 7 + d, direction, 5, c)
    return draw


def album_desk():
    cv = Canvas(557, 471, DESK_BLUE)
    cv.fill(14, 8, 508, 432, (120, 170, 200))
    cv.frame(14, 8, 508, 432, (60, 100, 130))
    for i, (x, y) in enumerate([(34, 20), (278, 20), (34, 158), (278, 158), (34, 296), (278, 296)]):
        cv.fill(x - 3, y - 3, x + 233, y + 133, (90, 130, 160))
    cv.fill(398, 437, 511, 460, (60, 100, 130))
    # The letter column in its normal look: the desk shows it wherever no other look is drawn.
    column = letter_column('normal')
    for y in range(column.h):
        for x in range(column.w):
            cv.put(519 + x, 16 + y, column.px[y][x])
    return cv


def letter_column(kind):
    face = {'normal': (60, 100, 130), 'shown': (240, 200, 60), 'grey': (150, 170, 185)}[kind]
    ink = {'normal': WHITE, 'shown': (40, 30, 0), 'grey': (200, 210, 220)}[kind]
    cv = Canvas(16, 448, face)
    for k in range(27):
        y0 = 16 * k
        y1 = y0 + (31 if k == 26 else 15)
        cv.frame(0, y0, 15, y1, (40, 70, 95))
        cv.text(5, y0 + (12 if k == 26 else 4), '*' if k == 26 else chr(65 + k), ink)
    return cv


def empty_cell():
    cv = Canvas(231, 131, (200, 222, 236))
    cv.frame(0, 0, 230, 130, (150, 180, 200))
    for d in range(0, 231 + 131, 12):
        cv.line(max(0, d - 130), min(130, d), min(230, d), max(0, d - 230), (214, 232, 244))
    return cv


def page_button(direction, state):
    def draw(cv, c, d):
        arrow(cv, 17 + d, 10 + d, direction, 5, c)
    return small_button(35, 20, draw, state)


def header_first(pushed):
    cv = Canvas(16, 14, (93, 119, 158))
    d = 1 if pushed else 0
    for row in range(3):
        cv.fill(3 + d, 3 + row * 3 + d, 12 + d, 4 + row * 3 + d, WHITE)
    return cv


def sort_arrow(direction):
    cv = Canvas(10, 8, (93, 119, 158))
    arrow(cv, 5, 4, direction, 4, WHITE)
    return cv


def zoom_bar(pressed):
    cv = Canvas(144, 37, (170, 176, 186))
    bevel(cv, 0, 0, 143, 36)
    for x0, sign in ((16, '-'), (114, '+')):
        cv.fill(x0, 4, x0 + 27, 31, (150, 156, 166) if pressed else FACE)
        bevel(cv, x0, 4, x0 + 27, 31, pressed)
        cv.text(x0 + 11 + (1 if pressed else 0), 14 + (1 if pressed else 0), sign, (0, 0, 96))
    cv.fill(48, 11, 108, 22, (110, 116, 126))
    for step in range(10):
        cv.line(48 + step * 5 + 8, 20, 48 + step * 5 + 8, 22, WHITE)
    return cv


def zoom_knob():
    cv = Canvas(17, 10, (230, 200, 80))
    bevel(cv, 0, 0, 16, 9)
    return cv


def view_bitmaps(bitmap):
    bitmap(430, deck_background())
    bitmap(431, deck_tile())
    bitmap(1291, card_paper(245, 141))
    directions = {900: 'down', 901: 'up', 902: 'down', 903: 'up'}
    for bid, direction in directions.items():
        for state, off in (('disabled', 416), ('normal', 420), ('pushed', 424)):
            bitmap(bid + off, small_button(30, 15, deck_arrow_picture(direction), state))
    kinds = {700: 'first', 701: 'prev', 702: 'next', 703: 'last'}
    for bid, kind in kinds.items():
        for state, off in (('normal', 600), ('pushed', 604), ('disabled', 608)):
            bitmap(bid + off, small_button(17, 19, nav_picture(kind), state))
    bitmap(1390, tab_row('normal'))
    bitmap(1391, tab_row('pressed'))
    bitmap(1392, tab_row('grey'))
    bitmap(1393, search_bar_background())
    bitmap(1396, search_button(False))
    bitmap(1397, search_button(True))
    bitmap(1241, album_desk())
    bitmap(1250, letter_column('normal'))
    bitmap(1251, letter_column('shown'))
    bitmap(1252, letter_column('grey'))
    bitmap(1290, empty_cell())
    for base, direction in ((1260, 'left'), (1270, 'right')):
        for off, state in enumerate(('normal', 'pushed', 'disabled')):
            bitmap(base + off, page_button(direction, state))
    bitmap(284, header_first(False))
    bitmap(285, header_first(True))
    bitmap(1280, sort_arrow('down'))
    bitmap(1282, sort_arrow('up'))
    bitmap(934, zoom_bar(False))
    bitmap(938, zoom_bar(True))
    bitmap(942, zoom_knob())


# The label template editor's tool buttons (ids 1024-1039) and its font button (2305): a
# 20 x 20 picture each, drawn as glyphs of boxes and lines in the button's colour.
def editor_glyph(bid):
    def bars(cv, c, o, rects):
        for x0, y0, x1, y1 in rects:
            cv.fill(x0 + o, y0 + o, x1 + o, y1 + o, c)

    def draw(cv, c, o):
        k = bid - 1024
        if k in (0, 1, 2):  # left edges, centres across, right edges
            x = (4, 9, 15)[k]
            cv.line(x + o, 2 + o, x + o, 17 + o, c)
            widths = (10, 6)
            for i, w in enumerate(widths):
                x0 = 4 if k == 0 else (15 - w if k == 2 else 9 - w // 2)
                bars(cv, c, o, [(x0, 5 + 6 * i, x0 + w, 7 + 6 * i)])
        elif k in (3, 4, 5):  # top edges, centres down, bottom edges
            y = (4, 9, 15)[k - 3]
            cv.line(2 + o, y + o, 17 + o, y + o, c)
            for i, h in enumerate((10, 6)):
                y0 = 4 if k == 3 else (15 - h if k == 5 else 9 - h // 2)
                bars(cv, c, o, [(5 + 6 * i, y0, 7 + 6 * i, y0 + h)])
        elif k == 6:  # distribute down
            bars(cv, c, o, [(4, 3, 15, 4), (4, 9, 15, 10), (4, 15, 15, 16)])
        elif k == 7:  # distribute across
            bars(cv, c, o, [(3, 4, 4, 15), (9, 4, 10, 15), (15, 4, 16, 15)])
        elif k in (8, 9, 10):  # same width, height, both
            cv.frame(3 + o, 3 + o, 16 + o, 8 + o, c) if k != 9 else cv.frame(3 + o, 3 + o, 8 + o, 16 + o, c)
            if k == 8:
                cv.frame(3 + o, 11 + o, 16 + o, 16 + o, c)
            elif k == 9:
                cv.frame(11 + o, 3 + o, 16 + o, 16 + o, c)
            else:
                cv.frame(3 + o, 11 + o, 16 + o, 16 + o, c)
        elif k in (11, 12, 13, 14):  # text left, centre, right; draw mode 1
            for i, w in enumerate((12, 8, 12, 8)):
                w = 12 if k == 14 else w
                x0 = 4 if k in (11, 14) else (16 - w if k == 13 else 10 - w // 2)
                cv.line(x0 + o, 4 + 4 * i + o, x0 + w + o, 4 + 4 * i + o, c)
        elif k == 15:  # select all
            for x in range(3, 17, 2):
                cv.put(x + o, 3 + o, c)
                cv.put(x + o, 16 + o, c)
            for y in range(3, 17, 2):
                cv.put(3 + o, y + o, c)
                cv.put(16 + o, y + o, c)
            bars(cv, c, o, [(6, 6, 9, 9), (11, 10, 13, 13)])
        else:  # font
            cv.text(9 + o, 6 + o, "A", c)
            cv.text(16 + o, 6 + o, "A", c)
    return draw


# The About window's logo: a small stack of business cards, the front one with a blue band,
# a portrait and lines of text.
LOGO_W, LOGO_H = 150, 96
LOGO_BLUE = (40, 70, 150)


def about_logo():
    cv = Canvas(LOGO_W, LOGO_H, WHITE)
    for i, shade in enumerate(((200, 200, 200), (225, 225, 225))):
        x, y = 30 - 12 * i, 6 + 6 * i
        card(cv, x, y, 104, 62, shade)
    cv.fill(6, 20, 110, 88, GREY)
    card(cv, 4, 18, 104, 68, WHITE)
    cv.fill(5, 19, 107, 31, LOGO_BLUE)
    cv.text(10, 22, "ZEM", WHITE)
    cv.disc(26, 54, 10, LOGO_BLUE)
    for j, width in enumerate((50, 40, 56, 34)):
        cv.fill(44, 44 + 8 * j, 44 + width, 46 + 8 * j, DARK)
    return cv


def editor_bitmaps(bitmap):
    for bid in list(range(1024, 1040)) + [2305]:
        base = 1346 if bid == 2305 else bid + 306
        w = 40 if bid == 2305 else 20
        for state, off in (("normal", 0), ("disabled", 20), ("pushed", 40)):
            bitmap(base + off, small_button(w, 20, editor_glyph(bid), state))


def main():
    out = sys.argv[1]
    for sub in ("bmp", "cur"):
        os.makedirs(os.path.join(out, sub), exist_ok=True)
    lines = ["// Generated by make_resources.py: do not edit."]

    def rc_path(*parts):
        # Absolute paths, so that the resource compiler finds the files from any folder.
        return os.path.abspath(os.path.join(out, *parts)).replace("\\", "/")

    def bitmap(rid, cv):
        write_bmp(os.path.join(out, "bmp", f"{rid}.bmp"), cv)
        lines.append(f'{rid} BITMAP "{rc_path("bmp", f"{rid}.bmp")}"')

    offsets = {"normal": 700, "pushed": 720, "disabled": 740, "hover": 760}
    for bid, draw in PICTURES.items():
        size = (SMALL_W, SMALL_H) if bid == 712 else (BUTTON_W, BUTTON_H)
        for state, off in offsets.items():
            bitmap(bid + off, make_button(draw, state, *size))
    link_states = {"normal": 0, "disabled": 6, "hover": 12, "pushed": 18}
    for base, direction in ((3201, 1), (3001, 2), (3101, 3)):
        for target in range(6):
            for state, off in link_states.items():
                draw = (lambda d, t: lambda cv: draw_link(cv, d, t))(direction, target)
                bitmap(base + target + off, make_button(draw, state))
    bitmap(1240, bar_tile())
    view_bitmaps(bitmap)
    editor_bitmaps(bitmap)
    bitmap(1500, about_logo())

    for name, (shape, hot) in CURSORS.items():
        write_cursor(os.path.join(out, "cur", f"{name}.cur"), shape, hot)
        lines.append(f'{name} CURSOR "{rc_path("cur", f"{name}.cur")}"')

    icon = Canvas(32, 32, (0, 90, 160))
    card(icon, 3, 7, 25, 17, WHITE)
    icon.line(6, 11, 20, 11, (0, 0, 160))
    icon.line(6, 15, 16, 15, GREY)
    icon.line(6, 18, 18, 18, GREY)
    write_icon(os.path.join(out, "IMICON.ico"), icon)
    lines.append(f'IMICON ICON "{rc_path("IMICON.ico")}"')

    with open(os.path.join(out, "PALDATA1.bin"), "wb") as f:
        f.write(palette_data())
    lines.append(f'PALDATA1 RCDATA "{rc_path("PALDATA1.bin")}"')
    with open(os.path.join(out, "GRAYPAL.bin"), "wb") as f:
        f.write(gray_patterns(9))
    lines.append(f'GRAYPAL RCDATA "{rc_path("GRAYPAL.bin")}"')
    with open(os.path.join(out, "GRAYPAL1.bin"), "wb") as f:
        f.write(gray_patterns(17))
    lines.append(f'GRAYPAL1 RCDATA "{rc_path("GRAYPAL1.bin")}"')

    write_empty_tiff(os.path.join(out, "empty.tif"))

    with open(os.path.join(out, "generated.rc"), "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
