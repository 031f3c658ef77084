#!/usr/bin/python3
"""Writes layout.tsv as a C++ table for the converter in core/.

Usage: /usr/bin/python3 font/code_table.py OUT

The font and the converter read the same table, so they cannot disagree
on what a code shows.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from codepage import HIDDEN_IN_TEXT  # noqa: E402
from layout import ReadLayout  # noqa: E402

FORMS = {"-": "Plain", "isol": "Isolated", "fina": "Final", "init": "Initial", "medi": "Medial"}
JOINS = {"none": "None", "right": "Before", "left": "After", "both": "Both"}


def Entry(cell):
    points = list(cell.codePoints) + [0]
    hidden = "true" if cell.code in HIDDEN_IN_TEXT else "false"
    return (f"    {{{cell.code}, 0x{points[0]:04X}, 0x{points[1]:04X}, GlyphForm::{FORMS[cell.form]}, "
            f"GlyphJoins::{JOINS[cell.joins]}, {hidden}}},  // {cell.name}\n")


def Main(arguments):
    if len(arguments) != 1:
        sys.stderr.write(__doc__)
        return 2
    text = ("// Generated from font/layout.tsv by font/code_table.py; do not edit.\n"
            "#pragma once\n#include \"GlyphCell.h\"\n\nnamespace core {\n\n"
            "inline constexpr GlyphCell GlyphCells[] = {\n"
            + "".join(Entry(cell) for cell in ReadLayout()) + "};\n\n}  // namespace core\n")
    # Written only when it changes, so that a new layout.tsv comment
    # rebuilds nothing.
    path = arguments[0]
    if not os.path.exists(path) or open(path, encoding="utf-8").read() != text:
        with open(path, "w", encoding="utf-8") as stream:
            stream.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(Main(sys.argv[1:]))
