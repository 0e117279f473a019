#!/usr/bin/env python3
"""Reads an export file with independent readers and compares it with the expected cells.

    export_reader.py text FILE DELIMITER EXPECTED.json   Python's csv module
    export_reader.py sheet FILE EXPECTED.json            the worksheet: its bytes against the
                                                         layout built here, xlrd, and Gnumeric's
                                                         ssconvert turning it into CSV

EXPECTED.json holds {"rows": [[cell, ...], ...]} and, for a sheet, "gridLines". Texts are
code page 1252. Exit 0 when every reader agrees, 1 with the differences on stdout.
"""
import csv
import io
import json
import os
import struct
import subprocess
import sys
import tempfile

ENCODING = "cp1252"
TEXT_LIMIT = 254


def compare(reader, got, expected):
    if got == expected:
        return []
    problems = [f"{reader}: {len(got)} rows, expected {len(expected)}"]
    for i, (g, e) in enumerate(zip(got, expected)):
        if g != e:
            problems.append(f"{reader}: row {i}: {g!r} expected {e!r}")
            break
    return problems


def read_text(path, delimiter):
    with open(path, newline="", encoding=ENCODING) as f:
        data = f.read()
    problems = []
    if not data.endswith("\r\n"):
        problems.append("text: the file does not end with CR LF")
    return list(csv.reader(io.StringIO(data, newline=""), delimiter=delimiter, strict=True)), problems


def record(kind, data):
    return struct.pack("<HH", kind, len(data)) + data


def font(height, attributes, name):
    return record(0x0231, struct.pack("<HHHB", height, attributes, 0x7FFF, len(name)) + name)


def worksheet_bytes(rows, grid_lines):
    """The worksheet the export should write, built from the file layout on its own."""
    out = record(0x0409, struct.pack("<HHH", 0, 0x10, 0))
    out += font(200, 0, b"MS Sans Serif") + font(480, 1, b"MS Sans Serif") + font(240, 0, b"Times New Roman")
    big5 = bytes([0xB7, 0x73, 0xB2, 0xD3, 0xA9, 0xFA, 0xC5, 0xE9])
    out += font(480, 1, big5) + font(240, 0, big5) + font(240, 0, bytes([0xBC, 0xD0, 0xB7, 0xA2, 0xC5, 0xE9]))
    out += record(0x0443, bytes.fromhex("0000F5FF00FD000000000000")) * 15
    for m in range(16):
        borders = bytes(0xC1 if m & (8 >> b) else 0 for b in range(4))
        out += record(0x0443, bytes.fromhex("0200010000FD0000") + borders)
    out += record(0x0443, bytes.fromhex("0200010000FD000000000000"))
    out += record(0x0443, bytes.fromhex("0100010000FD000000000000"))
    out += record(0x0443, bytes.fromhex("0200010000FD000000000000"))
    assert len(out) == 683
    columns = len(rows[0])
    cells = [[c.encode(ENCODING)[:TEXT_LIMIT] for c in row] for row in rows]
    for c in range(columns):
        longest = max(len(row[c]) for row in cells)
        width = min(max(longest, 10) + 2, 255)
        out += record(0x007D, struct.pack("<HHHHHB", c, c, width << 8, 0, 0, 0))
    out += record(0x0200, struct.pack("<HHHHH", 0, len(rows) + 1, 0, columns + 1, 0))
    for r, row in enumerate(cells):
        for c, text in enumerate(row):
            out += record(0x0204, struct.pack("<HHHH", r, c, 30 if grid_lines else 33, len(text)) + text)
    return out + record(0x000A, b"")


def read_with_xlrd(path):
    import xlrd
    book = xlrd.open_workbook(path, encoding_override=ENCODING, logfile=open(os.devnull, "w"))
    sheet = book.sheet_by_index(0)
    return [[str(sheet.cell_value(r, c)) for c in range(sheet.ncols)] for r in range(sheet.nrows)]


def read_with_ssconvert(path):
    with tempfile.TemporaryDirectory() as folder:
        target = os.path.join(folder, "sheet.csv")
        run = subprocess.run(["ssconvert", "--import-encoding=" + ENCODING, "--export-type=Gnumeric_stf:stf_csv",
                              path, target], capture_output=True, text=True,
                             env=dict(os.environ, HOME=folder, NO_AT_BRIDGE="1"))
        if run.returncode != 0 or not os.path.exists(target):
            return None, [f"ssconvert failed: {run.stderr.strip()}"]
        with open(target, newline="", encoding="utf-8") as f:
            return list(csv.reader(f)), []


def check_sheet(path, expected, grid_lines):
    problems = []
    with open(path, "rb") as f:
        data = f.read()
    layout = worksheet_bytes(expected, grid_lines)
    if data != layout:
        at = next((i for i, (a, b) in enumerate(zip(data, layout)) if a != b), min(len(data), len(layout)))
        problems.append(f"layout: {len(data)} bytes, expected {len(layout)}; first difference at {at}")
    cut = [[c.encode(ENCODING)[:TEXT_LIMIT].decode(ENCODING) for c in row] for row in expected]
    problems += compare("xlrd", read_with_xlrd(path), cut)
    rows, failed = read_with_ssconvert(path)
    problems += failed
    if rows is not None:
        # Gnumeric writes no trailing empty cells; the rows are compared padded to the width.
        width = len(cut[0])
        padded = [row + [""] * (width - len(row)) for row in rows]
        problems += compare("ssconvert", padded, cut)
    return problems


def main():
    kind, path = sys.argv[1], sys.argv[2]
    with open(sys.argv[-1], encoding="utf-8") as f:
        expected = json.load(f)
    if kind == "text":
        delimiter = {"comma": ",", "tab": "\t", "blank": " "}[sys.argv[3]]
        rows, problems = read_text(path, delimiter)
        problems += compare("csv", rows, expected["rows"])
    else:
        problems = check_sheet(path, expected["rows"], expected.get("gridLines", True))
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
