#!/usr/bin/env python3
"""Writes the small dBase III tables in fixtures/ that the tests read and the fuzzer starts
from. Run it from any folder; it rewrites the files in place."""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fixtures")


def table(fields, records, count=None, header_pad=0, version=3, month=12):
    """fields: (name, type letter, length); records: (deleted, [bytes per field])."""
    header_length = 32 * len(fields) + 33 + header_pad
    record_length = 1 + sum(length for _, _, length in fields)
    out = bytearray(struct.pack("<BBBBiHH", version, 126, month, 7,
                                len(records) if count is None else count,
                                header_length, record_length))
    out += bytes(17) + b"\x02" + bytes(2)
    position = 2
    for name, letter, length in fields:
        d = name.encode("ascii").ljust(11, b"\0") + letter.encode("ascii")
        d += struct.pack("<i", position) + bytes([length, 0, 2]) + bytes(13)
        out += d
        position += length
    out += b"\r" + b"\0" * header_pad
    for deleted, values in records:
        out += b"*" if deleted else b" "
        for (_, _, length), value in zip(fields, values):
            out += value[:length].ljust(length, b" ")
    out += b"\x1a"
    return bytes(out)


FIELDS = [("NAME", "C", 10), ("CITY", "C", 12), ("QTY", "N", 5)]
RECORDS = [
    (False, [b"SMITH", b"K\xf6ln", b"7"]),
    (True, [b"JONES", b"Paris", b"12"]),
    (False, [b"M\xfcller", b"\x80 Zone", b"3"]),
    (True, [b"GONE", b"Nowhere", b"0"]),
    (False, [b"Zo\xeb", b"S\xe3o Paulo", b"42"]),
]


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def main():
    os.makedirs(HERE, exist_ok=True)
    valid = table(FIELDS, RECORDS)
    write("valid.dbf", valid)
    # Cut inside the fixed header, inside the descriptors, and inside the fourth record.
    write("truncated_header.dbf", valid[:20])
    write("truncated_descriptors.dbf", valid[:70])
    header_length = 32 * len(FIELDS) + 33
    record_length = 1 + sum(length for _, _, length in FIELDS)
    write("truncated_records.dbf", valid[:header_length + 3 * record_length + 9])
    # A header that promises 2147483647 records in a file that holds two.
    write("huge_count.dbf", table(FIELDS, RECORDS[:2], count=2147483647))
    # One padding byte after the header terminator.
    write("padded_header.dbf", table(FIELDS, RECORDS[:3], header_pad=1))


if __name__ == "__main__":
    main()
