#!/usr/bin/env python3
"""Checks, from what objdump prints of a library, that it names TABLE21.dll only as a delay
import and UserData.dll not at all, so that it loads without them.

usage: outside_imports.py OBJDUMP LIBRARY"""
import re
import subprocess
import sys


def objdump(tool, *args):
    return subprocess.run([tool, *args], check=True, capture_output=True, text=True).stdout


def bytes_at(tool, library, address, count):
    dump = objdump(tool, "-s", "--start-address=%#x" % address, "--stop-address=%#x" % (address + count), library)
    out = bytearray()
    for line in dump.split("\n"):
        m = re.match(r"^ ([0-9a-f]{8}) ((?:[0-9a-f]{2,8} ?){1,4})", line)
        if m:
            out += bytes.fromhex(m.group(2).replace(" ", ""))
    return bytes(out[:count])


def main():
    tool, library = sys.argv[1], sys.argv[2]
    headers = objdump(tool, "-p", library)
    loaded = [name.lower() for name in re.findall(r"DLL Name: (\S+)", headers)]
    failures = []
    for name in ("table21.dll", "userdata.dll"):
        if name in loaded:
            failures.append("%s is a load-time import" % name)
    base = int(re.search(r"ImageBase\s+([0-9a-fA-F]+)", headers).group(1), 16)
    entry = re.search(r"Entry d ([0-9a-fA-F]+) ([0-9a-fA-F]+) Delay Import Directory", headers)
    rva, size = int(entry.group(1), 16), int(entry.group(2), 16)
    delayed = []
    for at in range(rva, rva + size, 32):
        descriptor = bytes_at(tool, library, base + at, 32)
        name_rva = int.from_bytes(descriptor[4:8], "little")
        delayed.append(bytes_at(tool, library, base + name_rva, 32).split(b"\0")[0].decode().lower())
    if "table21.dll" not in delayed:
        failures.append("TABLE21.dll is not a delay import (delay imports: %s)" % delayed)
    if "userdata.dll" in delayed:
        failures.append("UserData.dll is a delay import")
    for failure in failures:
        print("FAILED: " + failure)
    print("delay imports: %s; load-time imports: %s" % (delayed, loaded))
    sys.exit(1 if failures else 0)


main()
