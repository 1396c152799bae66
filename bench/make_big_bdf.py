#!/usr/bin/env python3
"""Writes a valid BDF of GLYPHS glyphs of SIZE x SIZE pixels to standard
output: the largest kind of font font2zirk is asked to hold under its memory
bound. See bench/README.md.

    bench/make_big_bdf.py [GLYPHS [SIZE]]      default 220000 glyphs of 64x64
"""
import sys


def main():
    glyphs = int(sys.argv[1]) if len(sys.argv) > 1 else 220000
    size = int(sys.argv[2]) if len(sys.argv) > 2 else 64
    out = sys.stdout
    out.write("STARTFONT 2.1\nFONT -misc-big-medium-r-normal--%d-%d-75-75-c-%d-iso10646-1\n"
              % (size, size * 10, size * 10))
    out.write("SIZE %d 75 75\nFONTBOUNDINGBOX %d %d 0 0\n" % (size, size, size))
    out.write("STARTPROPERTIES 4\nFONT_ASCENT %d\nFONT_DESCENT 0\n" % size)
    out.write("CHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\nENDPROPERTIES\n")
    out.write("CHARS %d\n" % glyphs)
    row_digits = (size + 7) // 8 * 2
    # Every glyph a different picture, so that nothing can share its rows.
    for g in range(glyphs):
        rows = "".join("%0*X\n" % (row_digits, (g * 2654435761 + y) % (1 << (row_digits * 4)))
                       for y in range(size))
        out.write("STARTCHAR g%d\nENCODING %d\nSWIDTH 1000 0\nDWIDTH %d 0\nBBX %d %d 0 0\nBITMAP\n%sENDCHAR\n"
                  % (g, g + 32, size, size, size, rows))
    out.write("ENDFONT\n")


main()
