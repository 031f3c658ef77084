"""Puts the drawn glyphs into a TrueType font that GDI takes as a symbol font."""

import math

from fontTools.fontBuilder import FontBuilder
from fontTools.ttLib import newTable
from fontTools.ttLib.tables._c_m_a_p import CmapSubtable

from codepage import SymbolCodePoint

FAMILY = "Persian"
STYLE = "Regular"
VERSION = "1.000"
UNITS_PER_EM = 1000
LICENSE_START = "This Font Software is licensed under the SIL Open Font License"
LICENSE_URL = "https://openfontlicense.org"
DESCRIPTION = ("Persian letter forms at 8-bit codes for the Dabiro editor, drawn from "
               "Noto Naskh Arabic; Latin letters from Noto Serif.")
# A fixed date (2024-01-01, seconds since 1904) keeps rebuilt files identical.
TIMESTAMP = 3786912000
SYMBOL_CODE_PAGE = 1 << 31
# Grey smoothing at every size: the outlines carry no hinting.
GASP_SMOOTH_ALL = {0xFFFF: 0x000A}


def LicenseText(path):
    """OFL.txt from its licence statement on: the whole licence travels
    inside the font, which the installer copies without OFL.txt."""
    with open(path, encoding="utf-8") as stream:
        text = stream.read()
    return text[text.index(LICENSE_START):].strip()


def NameStrings(copyright, license):
    return {
        "copyright": copyright,
        "familyName": FAMILY,
        "styleName": STYLE,
        "uniqueFontIdentifier": f"{VERSION};NONE;{FAMILY}-{STYLE}",
        "fullName": FAMILY,
        "version": f"Version {VERSION}",
        "psName": f"{FAMILY}-{STYLE}",
        "description": DESCRIPTION,
        "licenseDescription": license,
        "licenseInfoURL": LICENSE_URL,
    }


def CharacterMap(drawn):
    return {SymbolCodePoint(code): glyph.name for code, glyph in drawn.items()}


def SymbolCmapTable(cmap):
    """The (3,0) table alone: GDI then maps each 8-bit code b to U+F000 + b
    itself, the same on every code page."""
    subtable = CmapSubtable.newSubtable(4)
    subtable.platformID, subtable.platEncID, subtable.language = 3, 0, 0
    subtable.cmap = dict(cmap)
    table = newTable("cmap")
    table.tableVersion = 0
    table.tables = [subtable]
    return table


def VerticalExtent(glyf):
    """(ascent, descent) covering every outline, so Windows clips none."""
    inked = [glyph for glyph in glyf.glyphs.values() if glyph.numberOfContours]
    return (math.ceil(max(glyph.yMax for glyph in inked)),
            math.ceil(-min(glyph.yMin for glyph in inked)))


def HorizontalMetrics(glyphs, glyf):
    return {glyph.name: (glyph.advance, glyf[glyph.name].xMin if glyf[glyph.name].numberOfContours else 0)
            for glyph in glyphs}


def LineDecorations(naskh):
    """Underline and strike-out as the Naskh font sets them."""
    return {"underlinePosition": naskh["post"].underlinePosition,
            "underlineThickness": naskh["post"].underlineThickness,
            "yStrikeoutSize": naskh["OS/2"].yStrikeoutSize,
            "yStrikeoutPosition": naskh["OS/2"].yStrikeoutPosition}


def Height(glyf, glyphName):
    return glyf[glyphName].yMax if glyphName in glyf else 0


def SetupOS2(builder, ascent, descent, cmap, decorations):
    glyf = builder.font["glyf"]
    builder.setupOS2(
        version=3, usWeightClass=400, fsType=0, fsSelection=0x0040, achVendID="NONE",
        sTypoAscender=ascent, sTypoDescender=-descent, sTypoLineGap=0,
        usWinAscent=ascent, usWinDescent=descent,
        ulCodePageRange1=SYMBOL_CODE_PAGE, ulCodePageRange2=0,
        usFirstCharIndex=min(cmap), usLastCharIndex=max(cmap),
        usDefaultChar=0, usBreakChar=0x20,
        sxHeight=Height(glyf, "x"), sCapHeight=Height(glyf, "H"),
        yStrikeoutSize=decorations["yStrikeoutSize"],
        yStrikeoutPosition=decorations["yStrikeoutPosition"])


def AssembleFont(notdef, drawn, copyright, license, decorations):
    """A font of `notdef` and `drawn` (code -> DrawnGlyph)."""
    glyphs = [notdef] + [drawn[code] for code in sorted(drawn)]
    names = [glyph.name for glyph in glyphs]
    if len(names) != len(set(names)):
        raise ValueError("two codes would share one glyph name")
    builder = FontBuilder(UNITS_PER_EM, isTTF=True)
    builder.font.recalcTimestamp = False
    builder.updateHead(fontRevision=float(VERSION), created=TIMESTAMP, modified=TIMESTAMP)
    builder.setupGlyphOrder(names)
    cmap = CharacterMap(drawn)
    builder.font["cmap"] = SymbolCmapTable(cmap)
    builder.setupGlyf({glyph.name: glyph.glyph for glyph in glyphs})
    builder.setupHorizontalMetrics(HorizontalMetrics(glyphs, builder.font["glyf"]))
    ascent, descent = VerticalExtent(builder.font["glyf"])
    builder.setupHorizontalHeader(ascent=ascent, descent=-descent, lineGap=0)
    SetupOS2(builder, ascent, descent, cmap, decorations)
    builder.setupNameTable(NameStrings(copyright, license), mac=False)
    builder.setupPost(keepGlyphNames=True, underlinePosition=decorations["underlinePosition"],
                      underlineThickness=decorations["underlineThickness"])
    builder.font["gasp"] = newTable("gasp")
    builder.font["gasp"].version = 1
    builder.font["gasp"].gaspRange = dict(GASP_SMOOTH_ALL)
    return builder.font
