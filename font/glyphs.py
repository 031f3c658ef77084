"""Draws each code's glyph out of its source font.

Every glyph is drawn through the source's glyph set with components
resolved into plain contours: the dots and marks that the Naskh font
shares between letters come along, no component names of the two sources
can clash, and each glyph can be moved on its own without shifting the
letters that share its parts.
"""

import collections

from fontTools.misc.transform import Transform
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen

from forms import NaskhForms
from joining import JoinPlacement, StrokeBand

NOTDEF = ".notdef"
TATWEEL = 0x0640
ALEF = 0x0627

DrawnGlyph = collections.namedtuple("DrawnGlyph", "name glyph advance")


def Outline(glyphSet, glyphName, transform):
    recording = DecomposingRecordingPen(glyphSet)
    glyphSet[glyphName].draw(recording)
    pen = TTGlyphPen(None)
    recording.replay(TransformPen(pen, transform))
    return pen.glyph()


def Checked(cell, found):
    """The table names the glyph it expects; a different source font fails here."""
    if found != cell.glyph:
        raise ValueError(f"code {cell.code}: the source gives {found}, the table says {cell.glyph}")
    return found


def NaskhGlyphs(cells, naskh):
    """code -> DrawnGlyph for the Arabic cells, with joining baked in."""
    forms = NaskhForms(naskh)
    glyphSet = naskh.getGlyphSet()
    band = StrokeBand(glyphSet, naskh.getBestCmap()[TATWEEL])
    drawn = {}
    for cell in cells:
        name = Checked(cell, forms.Glyph(cell.codePoints, cell.form))
        shift, advance = JoinPlacement(cell, glyphSet, band)
        drawn[cell.code] = DrawnGlyph(name, Outline(glyphSet, name, Transform().translate(shift, 0)), advance)
    return drawn


def LatinScale(naskh, serif):
    """Latin capitals stand as tall as the Naskh alef."""
    alef = naskh["glyf"][naskh.getBestCmap()[ALEF]]
    alef.recalcBounds(naskh["glyf"])
    return alef.yMax / serif["OS/2"].sCapHeight


def SerifGlyphs(cells, serif, scale):
    """code -> DrawnGlyph for the Latin cells, scaled by `scale`."""
    glyphSet, cmap = serif.getGlyphSet(), serif.getBestCmap()
    drawn = {}
    for cell in cells:
        name = Checked(cell, cmap.get(cell.codePoints[0]))
        outline = Outline(glyphSet, name, Transform().scale(scale))
        drawn[cell.code] = DrawnGlyph(name, outline, round(glyphSet[name].width * scale))
    return drawn


def NotdefGlyph(serif, scale):
    """Noto Serif's box, as tall as the Latin capitals; Naskh's is taller
    than any letter and would deepen every line."""
    glyphSet = serif.getGlyphSet()
    return DrawnGlyph(NOTDEF, Outline(glyphSet, NOTDEF, Transform().scale(scale)),
                      round(glyphSet[NOTDEF].width * scale))
