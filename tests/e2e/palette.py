"""The editor's glyph palette as a person uses it: where each code's cell
sits on the screen, and what the text then holds."""

import os
import sys

from harness import Click, Type

PALETTE_TOP = 32  # below the toolbar, in client coordinates
GRID_BORDER = 1
BAND_WIDTH, BAND_HEIGHT = 37, 28  # a cell and its grid line

# Windows-1252 leaves five bytes undefined; Windows passes them through as
# the control characters of the same number.
UNDEFINED_1252 = {0x81, 0x8D, 0x8F, 0x90, 0x9D}

FONT_SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "font")


def Cell(code):
    row = code // 16 - (8 if code < 192 else 10)
    return code % 16, row


def ClickCell(origin, code):
    """Clicks the middle of a code's cell; origin is the editor's client area."""
    column, row = Cell(code)
    x, y = origin
    Click(x + GRID_BORDER + column * BAND_WIDTH + 18,
          y + PALETTE_TOP + GRID_BORDER + row * BAND_HEIGHT + 14)


def WriteLine(origin, stored):
    """Writes a line that the text is to hold as stored (display order):
    its last code first, each glyph clicked, each space typed."""
    for code in reversed(stored):
        if code == 32:
            Type(" ")
        else:
            ClickCell(origin, code)


def Decode1252(data):
    return "".join(chr(b) if b in UNDEFINED_1252 else bytes([b]).decode("cp1252") for b in data)


def Encoder():
    """The font's own encoder: Persian text to the codes the editor stores."""
    sys.path.insert(0, FONT_SOURCE)
    from encode import Encoder as FontEncoder
    from layout import ReadLayout
    return FontEncoder(ReadLayout())
