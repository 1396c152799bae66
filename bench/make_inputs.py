#!/usr/bin/env python3
"""Writes the benchmark's inputs and the exact output korvane must give.

Usage: make_inputs.py DIR

Every record's bitmap_size agrees with its geometry, so a correct join copies
the records unchanged: the expected output is the magic, the total count and
every input's records in order. Glyph bytes are random (with a fixed seed) so
that a misplaced or stale byte cannot go unnoticed.
"""

import os
import random
import struct
import sys

MAGIC = b"ZIRKFNT"
rng = random.Random(1)


def record(name, first, last, height, fixed_width=8, widths=None):
    """One font record; widths given makes it a proportional font."""
    codes = last + 1 - first
    row_bytes = [(w + 7) // 8 for w in (widths or [fixed_width] * codes)]
    size = sum(row_bytes) * height
    header = struct.pack("<H16sc3sBBBB", size, name.encode(),
                         b"P" if widths else b"F", b"\0\0\0",
                         fixed_width, height, first, last)
    return header + (bytes(widths) if widths else b"") + rng.randbytes(size)


def container(records):
    return MAGIC + bytes([len(records)]) + b"".join(records)


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def workload(directory, name, files):
    """Writes the files of one workload into directory/name, and the join
    they must give into directory/name.expected."""
    os.mkdir(os.path.join(directory, name))
    records = []
    for i, file_records in enumerate(files, 1):
        write(os.path.join(directory, name, "f%03d.zirk" % i), container(file_records))
        records += file_records
    write(os.path.join(directory, name + ".expected"), container(records))


def main():
    directory = sys.argv[1]

    # (a) A typical set: a fixed 8x8 font, a proportional one with a width
    # table, and a two-bytes-a-row 12x16 font, printable ASCII each.
    workload(directory, "typical", [
        [record("Bench 8x8", 32, 126, 8)],
        [record("Bench Prop", 32, 126, 10, widths=[rng.randint(2, 8) for _ in range(95)])],
        [record("Bench 12x16", 32, 127, 16, fixed_width=12)],
    ])

    # (b) and (c): 255 fonts of 246 codes, one byte a row, 100 rows: exactly
    # the largest bitmap block a font may have (24600 bytes).
    big = [record("Bench Big %03d" % i, 0, 245, 100) for i in range(255)]
    workload(directory, "one-file", [big])
    workload(directory, "many-files", [[r] for r in big])


main()
