#!/usr/bin/python3
"""Builds the glyph font "Persian" (pfont95.ttf and pfontnt.ttf).

Usage: /usr/bin/python3 font/build_font.py --out DIR [--layout FILE]
"""

import argparse
import os
import sys

from fontTools.ttLib import TTFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from glyphs import FitExtraGlyphs, LatinScale, NaskhGlyphs, NotdefGlyph, SerifGlyphs  # noqa: E402
from layout import LATIN_CODES, LAYOUT_PATH, PALETTE_CODES, ReadLayout  # noqa: E402
from tables import AssembleFont, LicenseText, LineDecorations  # noqa: E402

NOTO = "/usr/share/fonts/truetype/noto"
NASKH_PATH = os.path.join(NOTO, "NotoNaskhArabic-Regular.ttf")
SERIF_PATH = os.path.join(NOTO, "NotoSerif-Regular.ttf")
LICENSE_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "OFL.txt")
# One font serves both Windows families; the installer picks a file by name.
OUTPUT_NAMES = ("pfont95.ttf", "pfontnt.ttf")


def Copyright(*sources):
    return " ".join(source["name"].getDebugName(0) for source in sources)


def BuildFont(layoutPath=LAYOUT_PATH, naskhPath=NASKH_PATH, serifPath=SERIF_PATH):
    cells = ReadLayout(layoutPath)
    naskh, serif = TTFont(naskhPath), TTFont(serifPath)
    scale = LatinScale(naskh, serif)
    drawn = NaskhGlyphs([cell for cell in cells if cell.source == "naskh"], naskh)
    drawn.update(SerifGlyphs([cell for cell in cells if cell.source == "serif"], serif, scale))
    drawn = FitExtraGlyphs(drawn, set(LATIN_CODES + PALETTE_CODES) & set(drawn))
    return AssembleFont(NotdefGlyph(serif, scale), drawn, Copyright(naskh, serif),
                        LicenseText(LICENSE_PATH), LineDecorations(naskh))


def Main(arguments):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True, help="folder for the font files")
    parser.add_argument("--layout", default=LAYOUT_PATH, help="code layout table")
    options = parser.parse_args(arguments)
    font = BuildFont(options.layout)
    os.makedirs(options.out, exist_ok=True)
    for name in OUTPUT_NAMES:
        font.save(os.path.join(options.out, name))
    return 0


if __name__ == "__main__":
    sys.exit(Main(sys.argv[1:]))
