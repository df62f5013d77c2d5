#!/usr/bin/python3
"""Generates a project folder for the category list benchmark.

gen_folder.py FOLDER APPLICATIONS DIRECTORIES

Each application is a template (*.HVT, some *.hvt) with a title and a few entries, and a
dBase III data file (*.hvd) of 0 to 20 records. Each directory file (*.dir) has a caption
and 3 to 15 entries. The content is random but fixed by the seed, so runs compare.
"""
import os
import random
import struct
import sys

WORDS = ("plant inspection line pump valve audit weekly daily safety boiler tank "
         "crane forklift shift report quality sample batch Maintenance Log Zeta alpha Beta "
         "north south east west unit area check list record").split()


def title(rng):
    return " ".join(rng.choice(WORDS) for _ in range(rng.randint(2, 4))).capitalize()


def table(rng, records):
    fields = [(b"NAME", b"C", 20), (b"VALUE", b"C", 10)]
    record_length = 1 + sum(length for _, _, length in fields)
    header_length = 32 * len(fields) + 33
    out = bytearray(struct.pack("<BBBBiHH", 3, 126, 12, 7, records, header_length, record_length))
    out += bytes(17) + b"\x02" + bytes(2)
    position = 1
    for name, kind, length in fields:
        out += name.ljust(11, b"\0") + kind + struct.pack("<i", position + 1)
        out += bytes([length, 0, 2]) + bytes(13)
        position += length
    out += b"\r"
    for _ in range(records):
        out += b" " + title(rng).encode()[:20].ljust(20) + str(rng.randint(0, 99999)).encode().ljust(10)
    out += b"\x1a"
    return bytes(out)


def main():
    folder, applications, directories = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    os.makedirs(folder, exist_ok=True)
    rng = random.Random(20261207)
    names = []
    for i in range(applications):
        base = "APP%05d" % i
        extension = ".HVT" if i % 4 else ".hvt"
        text = "[TEMPLATE]\r\nTitle=%s %d\r\n" % (title(rng), i)
        for key in range(1, rng.randint(1, 6)):
            text += "[ENTRY]\r\nKey=%d\r\n" % key
        with open(os.path.join(folder, base + extension), "wb") as f:
            f.write(text.encode("cp1252"))
        with open(os.path.join(folder, base + ".hvd"), "wb") as f:
            f.write(table(rng, rng.randint(0, 20)))
        names.append(base + extension)
    for i in range(directories):
        text = "[DIRECTORY]\r\n     Caption      = %s %d\r\n" % (title(rng), i)
        for _ in range(rng.randint(3, 15)):
            text += ("\r\n[FILE]\r\n     Title        = %s\r\n     Filename     = %s\r\n"
                     "     Access       = W\r\n" % (title(rng), rng.choice(names or ["none.hvt"])))
        with open(os.path.join(folder, "MENU%04d.dir" % i), "wb") as f:
            f.write(text.encode("cp1252"))


if __name__ == "__main__":
    main()
