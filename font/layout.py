"""Reads layout.tsv: which glyph the font shows at each 8-bit code."""

import collections
import os

LAYOUT_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "layout.tsv")

PALETTE_CODES = tuple(range(128, 192)) + tuple(range(224, 256))
LATIN_CODES = tuple(range(32, 127))
# Letters beyond the palette, for text converted from Unicode.
EXTRA_CODES = tuple(range(192, 212))

SOURCES = ("naskh", "serif")
FORMS = ("isol", "fina", "init", "medi", "-")
JOINS = ("none", "right", "left", "both")
# The sides each positional form connects on, as the glyphs stand left to
# right on the screen: a final form reaches back to the letter on its right.
FORM_JOINS = {"isol": "none", "fina": "right", "init": "left", "medi": "both"}

Cell = collections.namedtuple(
    "Cell", "code source codePoints form joins glyph shown name")


def ParseCodePoints(text):
    return tuple(int(part, 16) for part in text.split("+"))


def ParseLine(line, lineNumber):
    fields = line.split("\t")
    if len(fields) != 8:
        raise ValueError(f"layout line {lineNumber}: 8 fields expected, got {len(fields)}")
    code, source, points, form, joins, glyph, shown, name = fields
    cell = Cell(int(code), source, ParseCodePoints(points), form, joins, glyph, shown, name)
    if not 0 <= cell.code <= 255 or source not in SOURCES or form not in FORMS or joins not in JOINS:
        raise ValueError(f"layout line {lineNumber}: bad value in {line!r}")
    if form in FORM_JOINS and FORM_JOINS[form] != joins:
        raise ValueError(f"layout line {lineNumber}: form {form} joins {FORM_JOINS[form]}, not {joins}")
    return cell


def ReadLayout(path=LAYOUT_PATH):
    """The cells in file order; comment lines start with '#'."""
    cells = []
    with open(path, encoding="utf-8") as stream:
        for number, line in enumerate(stream, 1):
            line = line.rstrip("\n")
            if line and not line.startswith("#"):
                cells.append(ParseLine(line, number))
    codes = [cell.code for cell in cells]
    if len(codes) != len(set(codes)):
        raise ValueError("layout lists a code twice")
    return cells


def JoinsLeft(cell):
    return cell.joins in ("left", "both")


def JoinsRight(cell):
    return cell.joins in ("right", "both")
