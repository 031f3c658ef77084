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
ZWNJ = 0x200C

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
        if cell.codePoints == (ZWNJ,):
            # The source marks where the non-joiner is; text shows nothing there.
            drawn[cell.code] = DrawnGlyph(name, TTGlyphPen(None).glyph(), 0)
            continue
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


def Top(glyph):
    glyph.recalcBounds(None)
    return glyph.yMax if glyph.numberOfContours else 0


def Contours(glyph):
    """Each contour's point indices, first to last."""
    start = 0
    for end in glyph.endPtsOfContours:
        yield range(start, end + 1)
        start = end + 1


def MarksAbove(glyph):
    """The contours that stand wholly above the rest, as a hamza above an alef."""
    contours = sorted(Contours(glyph), key=lambda points: min(glyph.coordinates[i][1] for i in points))
    bodyTop, marks = None, []
    for points in contours:
        ys = [glyph.coordinates[i][1] for i in points]
        if bodyTop is not None and min(ys) > bodyTop:
            marks.append(points)
        else:
            bodyTop = max(ys) if bodyTop is None else max(bodyTop, max(ys))
    return bodyTop, marks


def FittedUnder(glyph, height):
    """The glyph with the marks above its body made smaller, keeping their
    middle and half their gap to the body, so that its top is `height`."""
    if Top(glyph) <= height:
        return glyph
    bodyTop, marks = MarksAbove(glyph)
    points = [index for contour in marks for index in contour]
    if not points:
        raise ValueError("a glyph taller than the palette's has no mark to make smaller")
    xs = [glyph.coordinates[i][0] for i in points]
    ys = [glyph.coordinates[i][1] for i in points]
    foot = (bodyTop + min(ys)) / 2
    scale = (height - foot) / (max(ys) - min(ys))
    middle = (min(xs) + max(xs)) / 2
    for index in points:
        x, y = glyph.coordinates[index]
        glyph.coordinates[index] = (round(middle + (x - middle) * scale), round(foot + (y - min(ys)) * scale))
    return glyph


def FitExtraGlyphs(drawn, paletteCodes):
    """No glyph beyond the palette rises above the palette's tallest, so
    converted text needs no taller line than typed text."""
    height = max(Top(drawn[code].glyph) for code in paletteCodes)
    return {code: glyph if code in paletteCodes else glyph._replace(glyph=FittedUnder(glyph.glyph, height))
            for code, glyph in drawn.items()}


def NotdefGlyph(serif, scale):
    """Noto Serif's box, as tall as the Latin capitals; Naskh's is taller
    than any letter and would deepen every line."""
    glyphSet = serif.getGlyphSet()
    return DrawnGlyph(NOTDEF, Outline(glyphSet, NOTDEF, Transform().scale(scale)),
                      round(glyphSet[NOTDEF].width * scale))
