#!/usr/bin/env python3
"""Reads a Palm Desktop address book of the table library stand-in (address.dat) from its
documented layout alone: "ZADR", u32 version 1, u32 record count, then per record u8 deleted,
u32 status, u16 category, 5 x i16 phone label ids and 19 texts (u16 length + bytes), all
little-endian, nothing behind the last record.

usage: address_dat.py FILE OUTPUT
Writes to OUTPUT one line per record item: "<record> <text> <hex of its bytes>" for each
non-empty text, "<record> category <n>", "<record> label<k> <n>" for each non-zero label id,
"<record> deleted 1" for a deleted record; then "records <n>". A breach of the layout goes to
OUTPUT.err."""
import os
import struct
import sys

TEXTS = ["name", "first", "title", "company", "address", "city", "state", "zip", "country",
         "phone1", "phone2", "phone3", "phone4", "phone5", "custom1", "custom2", "custom3", "custom4", "note"]


def parse(data):
    if data[:4] != b"ZADR" or len(data) < 12:
        raise ValueError("not an address book")
    version, count = struct.unpack_from("<II", data, 4)
    if version != 1:
        raise ValueError("version %d" % version)
    at, lines = 12, []
    for r in range(count):
        if at + 17 > len(data):
            raise ValueError("record %d cut off" % r)
        deleted, _status, category = struct.unpack_from("<BiH", data, at)
        labels = struct.unpack_from("<5h", data, at + 7)
        at += 17
        if deleted > 1:
            raise ValueError("record %d deleted flag %d" % (r, deleted))
        if deleted:
            lines.append("%d deleted 1" % r)
        lines.append("%d category %d" % (r, category))
        for k, label in enumerate(labels):
            if label:
                lines.append("%d label%d %d" % (r, k + 1, label))
        for name in TEXTS:
            if at + 2 > len(data):
                raise ValueError("record %d text %s cut off" % (r, name))
            (length,) = struct.unpack_from("<H", data, at)
            text = data[at + 2:at + 2 + length]
            if len(text) != length:
                raise ValueError("record %d text %s cut off" % (r, name))
            if b"\0" in text:
                raise ValueError("record %d text %s holds a NUL" % (r, name))
            at += 2 + length
            if text:
                lines.append("%d %s %s" % (r, name, text.hex()))
    if at != len(data):
        raise ValueError("%d bytes behind the last record" % (len(data) - at))
    lines.append("records %d" % count)
    return lines


def finish(path, text):
    # Written whole, then renamed: the waiting test never reads half an answer.
    with open(path + ".part", "w") as f:
        f.write(text)
    os.replace(path + ".part", path)


def main():
    path, output = sys.argv[1], sys.argv[2]
    try:
        finish(output, "\n".join(parse(open(path, "rb").read())) + "\n")
    except (OSError, ValueError, struct.error) as e:
        finish(output + ".err", str(e) + "\n")


main()
