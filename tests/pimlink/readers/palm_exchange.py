#!/usr/bin/env python3
"""Reads the card table NM of a Palm exchange card file with Python's own sqlite3 module (the
file is a SQLite database under our database layer), independently of the link library.

usage: palm_exchange.py FILE OUTPUT
Writes one line per record, ordered by rowid: "<Flags> <hex of name>|<hex of company>|
<hex of title>|<hex of phone 0>|<hex of city>" to OUTPUT; failures go to OUTPUT.err."""
import sqlite3
import os
import sys


def text(v):
    if v is None:
        return ""
    if isinstance(v, bytes):
        return v.hex()
    return v.encode("cp936", "replace").hex()


def main():
    path, output = sys.argv[1], sys.argv[2]
    try:
        con = sqlite3.connect("file:%s?mode=ro" % path, uri=True)
        cols = ["FLAGS", "CNAME_FullName_Data", "Company0_Data", "Title0_Data", "Phone0_PhoneNum_Data",
                "Address0_City_Data"]
        rows = con.execute("SELECT %s FROM NM ORDER BY rowid" % ", ".join('"%s"' % c for c in cols)).fetchall()
    except Exception as e:  # report, do not crash: the test reads the reason
        finish(output + ".err", "%s\n" % e)
        return
    out = ["%d %s" % (r[0], "|".join(text(v) for v in r[1:])) for r in rows]
    finish(output, "\n".join(out) + ("\n" if out else ""))


def finish(path, text):
    # Written whole, then renamed: the waiting test never reads half an answer.
    with open(path + ".part", "w") as f:
        f.write(text)
    os.replace(path + ".part", path)


main()
