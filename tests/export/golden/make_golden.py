#!/usr/bin/env python3
"""Writes the golden export files of the export test, from the file formats alone.

Two cards (Ann Archer; Baker, Quinn, whose texts hold quotes, commas and a line break) with the
fields Name, Title, Company, Address and Date selected and field names included. Run it in this
folder; the files it writes are committed.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from export_reader import worksheet_bytes  # noqa: E402

CAPTIONS = ["Name", "Title", "Company", "Address", "Date"]
CARDS = [
    ["Ann Archer", "Engineer", "Acme", "1 High Street", " 3/ 7/2004"],
    ["Baker, Quinn", 'Head of "Special" Projects', "Smith, Jones & Co.", '12 Main St.\r\nSuite "B", rear', "12/25/2010"],
]
# Palm Desktop: last name, first name, then Title, Company, Office Tel., Other Tel., Fax, Mobile
# Tel., Email, Address, City, State, Zip Code, Country, Web Site, Department, Fax 2, Email 2.
PALM = [
    ["Archer", "Ann", "Engineer", "Acme"] + [""] * 5 + ["1 High Street"] + [""] * 8,
    ["Baker", " Quinn", 'Head of "Special" Projects', "Smith, Jones & Co."] + [""] * 5 +
    ['12 Main St.\r\nSuite "B", rear'] + [""] * 8,
]


def quoted(text):
    return '"' + text.replace('"', '""') + '"'


def lines(rows, separator):
    return "".join(separator.join(quoted(c) for c in row) + "\r\n" for row in rows).encode("cp1252")


def main():
    with_captions = [CAPTIONS] + CARDS
    files = {
        "outlook.csv": lines(with_captions, ","),
        "express.csv": lines(with_captions, ","),
        "organizer.csv": lines(with_captions, ","),
        "palm.csv": lines(PALM, ","),
        "comma.txt": lines(with_captions, ","),
        "tab.txt": lines(with_captions, "\t"),
        "plain.txt": lines(with_captions, " "),
        "sheet.xls": worksheet_bytes(with_captions, True),
    }
    for name, data in files.items():
        with open(name, "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
