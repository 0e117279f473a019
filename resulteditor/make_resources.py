#!/usr/bin/env python3
"""Draws the result editor's bitmaps and cursors and writes generated.rc that names them.

Usage: make_resources.py <output folder>

Each tool and navigation button has three pictures (enabled, pressed or current, disabled) at
the button's size; the background tile and the zoom slider's track and thumb are single
pictures. Only the standard library is used.
"""
import os
import struct
import sys

FACE, PRESSED_FACE = (212, 208, 200), (180, 190, 210)
WHITE, BLACK, GREY, DARK, RED = (255, 255, 255), (0, 0, 0), (150, 150, 150), (90, 90, 90), (200, 0, 0)


class Canvas:
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
        for x in range(x0, x1 + 1):
            self.put(x, y0, c)
            self.put(x, y1, c)
        for y in range(y0, y1 + 1):
            self.put(x0, y, c)
            self.put(x1, y, c)

    def bmp(self):
        stride = (self.w * 3 + 3) & ~3
        rows = b''
        for y in range(self.h - 1, -1, -1):
            row = b''.join(bytes((b, g, r)) for (r, g, b) in self.px[y])
            rows += row + b'\0' * (stride - len(row))
        info = struct.pack('<IiiHHIIiiII', 40, self.w, self.h, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
        return struct.pack('<2sIHHI', b'BM', 14 + 40 + len(rows), 0, 0, 54) + info + rows


# Symbols drawn on a button, each a function of canvas, centre and colour.
def plus(c, cx, cy, k):
    c.frame(cx - 7, cy - 7, cx + 3, cy + 3, k)
    c.fill(cx - 4, cy - 2, cx, cy - 2, k)
    c.fill(cx - 2, cy - 4, cx - 2, cy, k)
    c.fill(cx + 3, cy + 3, cx + 6, cy + 6, k)


def minus(c, cx, cy, k):
    c.frame(cx - 7, cy - 7, cx + 3, cy + 3, k)
    c.fill(cx - 4, cy - 2, cx, cy - 2, k)
    c.fill(cx + 3, cy + 3, cx + 6, cy + 6, k)


def select(c, cx, cy, k):
    for i in range(-7, 8, 2):
        for x, y in ((cx + i, cy - 6), (cx + i, cy + 6), (cx - 7, cy + i), (cx + 7, cy + i)):
            c.put(x, y, k)


def pan(c, cx, cy, k):
    c.fill(cx - 7, cy, cx + 7, cy, k)
    c.fill(cx, cy - 7, cx, cy + 7, k)
    for d in range(1, 3):
        for x, y in ((cx - 7 + d, cy - d), (cx - 7 + d, cy + d), (cx + 7 - d, cy - d), (cx + 7 - d, cy + d),
                     (cx - d, cy - 7 + d), (cx + d, cy - 7 + d), (cx - d, cy + 7 - d), (cx + d, cy + 7 - d)):
            c.put(x, y, k)


def split(c, cx, cy, k):
    c.frame(cx - 9, cy - 8, cx + 9, cy + 8, k)
    c.fill(cx, cy - 12, cx, cy + 12, RED if k != GREY else GREY)


def merge(c, cx, cy, k):
    c.frame(cx - 11, cy - 6, cx - 2, cy + 6, k)
    c.frame(cx + 2, cy - 6, cx + 11, cy + 6, k)
    c.fill(cx - 2, cy, cx + 2, cy, k)


def erase(c, cx, cy, k):
    for i in range(9):
        c.fill(cx - 8 + i, cy + 4 - i, cx + i, cy + 4 - i, k)
    c.fill(cx - 10, cy + 7, cx + 10, cy + 7, k)


def arrow(direction, bar):
    def draw(c, cx, cy, k):
        for i in range(5):
            x = cx - 2 + i if direction < 0 else cx + 2 - i
            c.fill(x, cy - i, x, cy + i, k)
        if bar:
            x = cx - 4 if direction < 0 else cx + 4
            c.fill(x, cy - 4, x, cy + 4, k)
    return draw


def button(w, h, symbol, state):
    face = PRESSED_FACE if state == 'pressed' else FACE
    c = Canvas(w, h, face)
    light, shadow = (DARK, WHITE) if state == 'pressed' else (WHITE, DARK)
    c.fill(0, 0, w - 1, 0, light)
    c.fill(0, 0, 0, h - 1, light)
    c.fill(0, h - 1, w - 1, h - 1, shadow)
    c.fill(w - 1, 0, w - 1, h - 1, shadow)
    shift = 1 if state == 'pressed' else 0
    symbol(c, w // 2 + shift, h // 2 + shift, GREY if state == 'disabled' else BLACK)
    return c


# Button: (width, height, symbol, enabled id, pressed id, disabled id).
BUTTONS = [
    (28, 28, plus, 1017, 1014, 1015),
    (28, 28, minus, 1001, 1019, 1020),
    (25, 24, select, 1029, 1026, 1027),
    (25, 24, pan, 1022, 1025, 1023),
    (39, 38, split, 1008, 1005, 1006),
    (39, 38, merge, 1004, 1016, 1002),
    (39, 38, erase, 1012, 1009, 1010),
    (20, 20, arrow(-1, True), 1048, 1050, 1049),
    (20, 20, arrow(-1, False), 1051, 1053, 1052),
    (20, 20, arrow(1, False), 1054, 1062, 1055),
    (20, 20, arrow(1, True), 1057, 1063, 1058),
]


def background():
    c = Canvas(32, 32, (236, 233, 216))
    for y in range(0, 32, 4):
        for x in range((y // 4) % 2 * 2, 32, 4):
            c.put(x, y, (226, 222, 204))
    return c


def slider_track():
    c = Canvas(61, 11, (236, 233, 216))
    c.fill(0, 4, 60, 4, DARK)
    c.fill(0, 6, 60, 6, WHITE)
    for x in range(1, 61, 6):
        c.fill(x, 8, x, 10, DARK)
    return c


def slider_thumb():
    c = Canvas(16, 11, FACE)
    c.frame(0, 0, 15, 10, DARK)
    c.fill(1, 1, 14, 1, WHITE)
    c.fill(7, 2, 8, 8, DARK)
    return c


# Cursors: 32 x 32 monochrome, drawn as text rows: '#' black, '.' white, ' ' transparent.
def cursor_picture(kind):
    grid = [[' '] * 32 for _ in range(32)]

    def put(x, y, ch):
        if 0 <= x < 32 and 0 <= y < 32:
            grid[y][x] = ch

    def bar(x0, y0, x1, y1):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                put(x, y, '#')
        for y in range(y0 - 1, y1 + 2):
            for x in range(x0 - 1, x1 + 2):
                if grid[y % 32][x % 32] == ' ' and 0 <= x < 32 and 0 <= y < 32:
                    put(x, y, '.')

    if kind in ('move', 'drag', 'pan'):
        bar(4, 15, 26, 15)
        bar(15, 4, 15, 26)
        if kind == 'drag':
            bar(11, 11, 19, 19)
        hot = (15, 15)
    elif kind == 'split':
        bar(15, 2, 15, 28)
        bar(10, 8, 20, 8)
        bar(10, 22, 20, 22)
        hot = (15, 15)
    elif kind == 'merge':
        bar(4, 10, 12, 10), bar(4, 20, 12, 20), bar(4, 10, 4, 20), bar(12, 10, 12, 20)
        bar(18, 10, 26, 10), bar(18, 20, 26, 20), bar(18, 10, 18, 20), bar(26, 10, 26, 20)
        bar(12, 15, 18, 15)
        hot = (15, 15)
    else:  # erase: a square pen with its hot spot at the top left
        bar(1, 1, 9, 9)
        hot = (1, 1)
    return grid, hot


def cur_file(kind):
    grid, hot = cursor_picture(kind)
    xor_rows, and_rows = b'', b''
    for y in range(31, -1, -1):
        xor_bits = and_bits = 0
        for x in range(32):
            ch = grid[y][x]
            xor_bits = (xor_bits << 1) | (1 if ch == '.' else 0)
            and_bits = (and_bits << 1) | (1 if ch == ' ' else 0)
        xor_rows += struct.pack('>I', xor_bits)
        and_rows += struct.pack('>I', and_bits)
    header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = header + palette + xor_rows + and_rows
    return struct.pack('<HHH', 0, 2, 1) + struct.pack('<BBBBHHII', 32, 32, 0, 0, hot[0], hot[1], len(image), 22) + image


CURSORS = {1035: 'move', 1036: 'drag', 1037: 'pan', 1039: 'split', 1040: 'merge', 1065: 'erase'}


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    lines = []

    def write_bitmap(rid, canvas):
        name = 'bitmap_%d.bmp' % rid
        with open(os.path.join(out, name), 'wb') as f:
            f.write(canvas.bmp())
        lines.append('%d BITMAP "%s"' % (rid, name))

    for w, h, symbol, enabled, pressed, disabled in BUTTONS:
        write_bitmap(enabled, button(w, h, symbol, 'enabled'))
        write_bitmap(pressed, button(w, h, symbol, 'pressed'))
        write_bitmap(disabled, button(w, h, symbol, 'disabled'))
    write_bitmap(1013, background())
    write_bitmap(1031, slider_track())
    write_bitmap(1032, slider_thumb())
    for rid, kind in CURSORS.items():
        name = 'cursor_%d.cur' % rid
        with open(os.path.join(out, name), 'wb') as f:
            f.write(cur_file(kind))
        lines.append('%d CURSOR "%s"' % (rid, name))
    with open(os.path.join(out, 'generated.rc'), 'w') as f:
        f.write('// Written by make_resources.py.\n' + '\n'.join(lines) + '\n')


if __name__ == '__main__':
    main()
