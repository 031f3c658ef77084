"""Bakes cursive joining into each glyph's position and advance.

Windows sets 8-bit text glyph after glyph at whole-pixel advances and
applies no positioning, so a joining stroke must cross the glyph's edge
on its own. Heights are measured in the baseline stroke's band, which the
tatweel spans.

- Where a glyph joins to the left, its stroke reaches LEFT_OVERLAP units
  past its origin; where it joins to the right, its stroke ends exactly at
  its advance. Two joining glyphs side by side then overlap by
  LEFT_OVERLAP units, more than the half pixel that rounding an advance to
  whole pixels can open up: 40 units are 0.84 px at the palette's 21
  pixels and 1.08 px at the text's 27.
- Where a glyph does not join to the left, the band keeps LEFT_CLEARANCE
  units clear of ink. Joining forms also stand at the start of a word, so
  a stroke that ends at the advance can meet a letter that never joins
  (dal, reh, alef); 75 units keep a whole pixel clear between them at
  21 pixels and more, whichever way the advance is rounded.
"""

import math

from fontTools.pens.basePen import BasePen
from fontTools.pens.boundsPen import BoundsPen

from layout import JoinsLeft, JoinsRight

LEFT_OVERLAP = 40
LEFT_CLEARANCE = 75
BAND_SAMPLES = 5
CURVE_STEPS = 16


class CrossingPen(BasePen):
    """Collects the x positions where outlines cross the line at height y."""

    def __init__(self, glyphSet, y):
        super().__init__(glyphSet)
        self.y = y
        self.crossings = []
        self.start = self.last = None

    def _moveTo(self, point):
        self.start = self.last = point

    def _lineTo(self, point):
        (x0, y0), (x1, y1) = self.last, point
        if (y0 <= self.y < y1) or (y1 <= self.y < y0):
            self.crossings.append(x0 + (self.y - y0) * (x1 - x0) / (y1 - y0))
        self.last = point

    def _qCurveToOne(self, control, point):
        (x0, y0), (cx, cy), (x1, y1) = self.last, control, point
        for step in range(1, CURVE_STEPS + 1):
            t = step / CURVE_STEPS
            u = 1 - t
            self._lineTo((u * u * x0 + 2 * u * t * cx + t * t * x1,
                          u * u * y0 + 2 * u * t * cy + t * t * y1))

    def _curveToOne(self, c1, c2, point):
        raise ValueError("cubic outlines are not expected in a TrueType source")

    def _closePath(self):
        if self.last != self.start:
            self._lineTo(self.start)

    _endPath = _closePath


def InkAcross(glyphSet, glyphName, y):
    """(leftmost, rightmost) ink on the line at height y, or None."""
    pen = CrossingPen(glyphSet, y)
    glyphSet[glyphName].draw(pen)
    return (min(pen.crossings), max(pen.crossings)) if pen.crossings else None


def StrokeBand(glyphSet, tatweelName):
    """(bottom, top) of the baseline stroke, taken from the tatweel."""
    pen = BoundsPen(glyphSet)
    glyphSet[tatweelName].draw(pen)
    _, yMin, _, yMax = pen.bounds
    return yMin, yMax


def BandHeights(band):
    bottom, top = band
    return [bottom + (top - bottom) * (index + 0.5) / BAND_SAMPLES for index in range(BAND_SAMPLES)]


def StrokeEnds(glyphSet, glyphName, band):
    """Where the stroke through the middle of the band starts and ends."""
    ends = InkAcross(glyphSet, glyphName, sum(band) / 2)
    if ends is None:
        raise ValueError(f"{glyphName} has no stroke at the baseline")
    return ends


def LeftmostInBand(glyphSet, glyphName, band):
    lefts = [ink[0] for ink in (InkAcross(glyphSet, glyphName, y) for y in BandHeights(band)) if ink]
    return min(lefts) if lefts else None


def JoinPlacement(cell, glyphSet, band):
    """(x shift, advance width) that make `cell`'s glyph meet its neighbours."""
    if JoinsLeft(cell):
        shift = round(-LEFT_OVERLAP - StrokeEnds(glyphSet, cell.glyph, band)[0])
    else:
        left = LeftmostInBand(glyphSet, cell.glyph, band)
        shift = max(0, math.ceil(LEFT_CLEARANCE - left)) if left is not None else 0
    if JoinsRight(cell):
        return shift, round(StrokeEnds(glyphSet, cell.glyph, band)[1]) + shift
    return shift, glyphSet[cell.glyph].width + shift
