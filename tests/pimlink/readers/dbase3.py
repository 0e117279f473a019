#!/usr/bin/env python3
"""Reads a dBASE III table (.dbf) and its memo file (.dbt) from the published layout alone:
a 32-byte header (version, date, u32 record count, u16 header length, u16 record length), one
32-byte descriptor per field (name, type, length at byte 16) up to 0x0D, then fixed-length
records each starting with ' ' or '*' (deleted); a memo field holds the number of its first
512-byte block in the .dbt, where the text ends at 0x1A 0x1A.

usage: dbase3.py FILE OUTPUT
Writes one line per non-blank field to OUTPUT: "<record> <field name> <hex of the value>"
(character fields without their trailing blanks), "<record> deleted 1" for a deleted record,
then "records <n>". A breach of the layout goes to OUTPUT.err."""
import os
import struct
import sys


def fields_of(data):
    fields, at = [], 32
    while data[at] != 0x0D:
        raw = data[at:at + 32]
        if len(raw) < 32:
            raise ValueError("field descriptors run past the file")
        name = raw[:11].split(b"\0")[0].decode("ascii")
        fields.append((name, chr(raw[11]), raw[16]))
        at += 32
    return fields


def memo(dbt, block):
    start = block * 512
    if block <= 0 or start >= len(dbt):
        raise ValueError("memo block %d outside the memo file" % block)
    end = dbt.find(b"\x1a\x1a", start)
    if end < 0:
        raise ValueError("memo at block %d has no end" % block)
    return dbt[start:end]


def main():
    path, output = sys.argv[1], sys.argv[2]
    try:
        data = open(path, "rb").read()
        if data[0] not in (0x03, 0x83):
            raise ValueError("version byte %#x" % data[0])
        count, header, length = struct.unpack_from("<IHH", data, 4)
        fields = fields_of(data)
        if 1 + sum(f[2] for f in fields) != length:
            raise ValueError("record length %d does not match the fields" % length)
        if header + count * length > len(data):
            raise ValueError("records run past the file")
        dbt = open(os.path.splitext(path)[0] + ".dbt", "rb").read() if any(f[1] == "M" for f in fields) else b""
        lines = []
        for r in range(count):
            rec = data[header + r * length:header + (r + 1) * length]
            if rec[0:1] not in (b" ", b"*"):
                raise ValueError("record %d has deletion flag %r" % (r, rec[0:1]))
            if rec[0:1] == b"*":
                lines.append("%d deleted 1" % r)
            at = 1
            for name, kind, size in fields:
                raw = rec[at:at + size]
                at += size
                if kind == "M":
                    value = memo(dbt, int(raw)) if raw.strip() else b""
                elif kind == "C":
                    value = raw.rstrip(b" ")
                else:
                    value = raw.strip(b" ")
                if value:
                    lines.append("%d %s %s" % (r, name, value.hex()))
        lines.append("records %d" % count)
        finish(output, "\n".join(lines) + "\n")
    except (OSError, ValueError, IndexError, struct.error) as e:
        finish(output + ".err", str(e) + "\n")


def finish(path, text):
    # Written whole, then renamed: the waiting test never reads half an answer.
    with open(path + ".part", "w") as f:
        f.write(text)
    os.replace(path + ".part", path)


main()
