#!/usr/bin/env python3
"""Fills the delay import directory entry of a PE image from its delay import descriptors.

GNU ld links delay imports made by `dlltool -y` but leaves the data directory entry for them
empty, so tools that list a library's imports do not see them. This finds the descriptors by
their symbols (__DELAY_IMPORT_DESCRIPTOR_*, one 32-byte descriptor each, laid out together)
and points entry 13 at them. An image that has none, or whose entry is set, is left alone.

usage: pe_delay_directory.py NM IMAGE"""
import struct
import subprocess
import sys

DESCRIPTOR = 32
DELAY_IMPORT_ENTRY = 13


def main():
    nm, image = sys.argv[1], sys.argv[2]
    symbols = subprocess.run([nm, image], check=True, capture_output=True, text=True).stdout.split("\n")
    addresses = sorted(int(line.split()[0], 16) for line in symbols
                       if "__DELAY_IMPORT_DESCRIPTOR_" in line and len(line.split()) == 3)
    if not addresses:
        return
    if addresses != [addresses[0] + DESCRIPTOR * i for i in range(len(addresses))]:
        sys.exit("%s: delay import descriptors are not laid out together" % image)
    data = bytearray(open(image, "rb").read())
    optional = struct.unpack_from("<I", data, 0x3C)[0] + 24
    if struct.unpack_from("<H", data, optional)[0] != 0x10B:
        sys.exit("%s: not a 32-bit PE image" % image)
    base = struct.unpack_from("<I", data, optional + 28)[0]
    entry = optional + 96 + 8 * DELAY_IMPORT_ENTRY
    if struct.unpack_from("<II", data, entry) != (0, 0):
        return
    struct.pack_into("<II", data, entry, addresses[0] - base, DESCRIPTOR * len(addresses))
    with open(image, "r+b") as f:
        f.write(data)


main()
