#!/usr/bin/env python3
"""Reads Windows CE exchange files as the device side sees them, from the published record
tables alone: the desktop's 2,552-byte records (8-bit texts) and the device's 5,080-byte
transfer records (UTF-16 texts).

usage: ce_records.py narrow|wide FILE OUTPUT
Writes one line per non-empty field to OUTPUT: "<record> <field> <hex of the bytes>" (wide
texts as their UTF-8 bytes), then "records <n>". Any breach of the layout (a text without
its terminator, bytes behind a terminator, bytes where no field is) goes to OUTPUT.err."""
import os
import sys

# id, offset, bytes of the 8-bit exchange record
NARROW = [(1, 2, 51), (2, 53, 31), (3, 84, 31), (4, 115, 31), (5, 146, 81), (6, 227, 81), (8, 339, 61),
          (9, 400, 51), (10, 451, 81), (11, 532, 256), (12, 788, 31), (13, 819, 31), (14, 850, 11),
          (15, 861, 31), (16, 892, 256), (17, 1148, 31), (18, 1179, 31), (19, 1210, 11), (20, 1221, 31),
          (21, 1252, 256), (22, 1508, 31), (23, 1539, 31), (24, 1570, 11), (25, 1581, 31)]
NARROW += [(26 + k, 1612 + 31 * k, 31) for k in range(11)]
NARROW += [(37, 1953, 51), (38, 2004, 81), (39, 2085, 81), (40, 2166, 81), (41, 2247, 81), (42, 2328, 51),
           (43, 2379, 51), (46, 2448, 51)]
NARROW_SIZE = 2552

# property, byte offset, characters of the device's transfer record
WIDE = [("FirstName", 104, 31), ("MiddleName", 166, 31), ("LastName", 228, 31), ("Title", 290, 81),
        ("JobTitle", 452, 81), ("Suffix", 614, 31), ("CompanyName", 676, 61), ("Department", 798, 51),
        ("OfficeLocation", 900, 81), ("BusinessAddressStreet", 1062, 256), ("BusinessAddressCity", 1574, 31),
        ("BusinessAddressState", 1636, 31), ("BusinessAddressPostalCode", 1698, 11),
        ("BusinessAddressCountry", 1720, 31), ("HomeAddressStreet", 1782, 256), ("HomeAddressCity", 2294, 31),
        ("HomeAddressState", 2356, 31), ("HomeAddressPostalCode", 2418, 11), ("HomeAddressCountry", 2440, 31),
        ("OtherAddressStreet", 2502, 256), ("OtherAddressCity", 3014, 31), ("OtherAddressState", 3076, 31),
        ("OtherAddressPostalCode", 3138, 11), ("OtherAddressCountry", 3160, 31),
        ("BusinessTelephoneNumber", 3222, 31), ("Business2TelephoneNumber", 3284, 31),
        ("BusinessFaxNumber", 3346, 31), ("HomeTelephoneNumber", 3408, 31), ("Home2TelephoneNumber", 3470, 31),
        ("HomeFaxNumber", 3532, 31), ("MobileTelephoneNumber", 3594, 31), ("PagerNumber", 3656, 31),
        ("RadioTelephoneNumber", 3718, 31), ("CarTelephoneNumber", 3780, 31),
        ("AssistantTelephoneNumber", 3842, 31), ("WebPage", 3904, 51), ("Email1Address", 4006, 81),
        ("Email2Address", 4168, 81), ("Email3Address", 4330, 81), ("Body", 4492, 81), ("Spouse", 4654, 51),
        ("Children", 4756, 60), ("AssistantName", 4876, 51), ("Categories", 4978, 51)]
WIDE_SIZE = 5080


def fields(kind):
    if kind == "narrow":
        return NARROW_SIZE, 1, [(str(i), o, n) for i, o, n in NARROW]
    return WIDE_SIZE, 2, WIDE


def main():
    kind, path, output = sys.argv[1], sys.argv[2], sys.argv[3]
    size, unit, table = fields(kind)
    data = open(path, "rb").read()
    errors, lines = [], []
    if len(data) % size:
        errors.append("file of %d bytes is not whole records" % len(data))
    for r in range(len(data) // size):
        rec = data[r * size:(r + 1) * size]
        covered = bytearray(size)
        for name, off, count in table:
            raw = rec[off:off + count * unit]
            for b in range(off, off + count * unit):
                covered[b] = 1
            units = [raw[i:i + unit] for i in range(0, len(raw), unit)]
            zero = b"\0" * unit
            if zero not in units:
                errors.append("record %d field %s has no terminator" % (r, name))
                continue
            end = units.index(zero)
            if any(u != zero for u in units[end:]):
                errors.append("record %d field %s has bytes behind its terminator" % (r, name))
            text = b"".join(units[:end])
            if unit == 2:
                text = text.decode("utf-16-le").encode("utf-8")
            if text:
                lines.append("%d %s %s" % (r, name, text.hex()))
        if kind == "wide":
            covered[0:104] = b"\1" * 104  # not read by the device
        stray = [b for b in range(size) if not covered[b] and rec[b]]
        if stray:
            errors.append("record %d has bytes outside its fields at %s" % (r, stray[:8]))
    lines.append("records %d" % (len(data) // size))
    if errors:
        finish(output + ".err", "\n".join(errors) + "\n")
    else:
        finish(output, "\n".join(lines) + "\n")


def finish(path, text):
    # Written whole, then renamed: the waiting test never reads half an answer.
    with open(path + ".part", "w") as f:
        f.write(text)
    os.replace(path + ".part", path)


main()
