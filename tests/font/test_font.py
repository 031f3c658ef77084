#!/usr/bin/python3
"""Checks the glyph font "Persian" against its layout table.

Run: /usr/bin/python3 tests/font/test_font.py [--font-dir DIR]
Without a folder (or with an empty one) the font is built into a
temporary folder first.
"""

import argparse
import filecmp
import functools
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

from fontTools.pens.pointInsidePen import PointInsidePen
from fontTools.pens.recordingPen import RecordingPen
from fontTools.ttLib import TTFont

FONT_SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "font")
sys.path.insert(0, FONT_SOURCE)

from build_font import LICENSE_PATH, NASKH_PATH, OUTPUT_NAMES, SERIF_PATH, Main as BuildMain  # noqa: E402
from codepage import HIDDEN_IN_TEXT  # noqa: E402
from encode import MIRRORED, STAND_INS, Encoder  # noqa: E402
from layout import EXTRA_CODES, LATIN_CODES, PALETTE_CODES, JoinsLeft, JoinsRight, ReadLayout  # noqa: E402

FONT_DIR = None
DUAL_JOINING = "بپتثجچحخسشصضطظعغفقکگلمنهی"
RIGHT_JOINING = "ادذرزژو"
FOUR_FORMS = "عغهی"
SIGNS = "ء۰۱۲۳۴۵۶۷۸۹،؛؟«»ـ"
LAM_ALEF = (0x0644, 0x0627)
TATWEEL = (0x0640,)
# The only forms a code that the text control hides may hold: each has a
# drawn stand-in that reads well (a medial starting a word, jeh's final
# standing alone), and the tatweel adds nothing to the text.
HIDEABLE = {(TATWEEL, "-"), ((0x0698,), "isol")} | {((ord(letter),), "init") for letter in "جچحخ"}
# Sizes at which the editor sets the font: palette cells and the text.
PIXEL_SIZES = (21, 27)
PALETTE_ROW_HEIGHT, CELL_TEXT_TOP = 27, 2


def setUpModule():
    global FONT, LAYOUT, CELLS, GLYPHS
    FONT = TTFont(os.path.join(FONT_DIR, OUTPUT_NAMES[1]))
    LAYOUT = ReadLayout()
    CELLS = {cell.code: cell for cell in LAYOUT}
    GLYPHS = FONT.getGlyphSet()


def Persian(cell):
    return cell.source == "naskh"


def PaletteCells():
    return [CELLS[code] for code in PALETTE_CODES]


def TatweelCell():
    return next(cell for cell in PaletteCells() if cell.codePoints == TATWEEL)


def DrawnPaletteCodes():
    return set(PALETTE_CODES) - set(HIDDEN_IN_TEXT)


class NameTableTest(unittest.TestCase):
    def Name(self, nameId):
        return FONT["name"].getName(nameId, 3, 1, 0x409).toUnicode()

    def test_face_name_is_persian(self):
        self.assertEqual(self.Name(1), "Persian")
        self.assertEqual(self.Name(4), "Persian")

    def test_carries_the_whole_open_font_license(self):
        self.assertIn("SIL Open Font License, Version 1.1", self.Name(13))
        self.assertIn("PERMISSION & CONDITIONS", self.Name(13))
        self.assertTrue(self.Name(14).startswith("https://"))

    def test_font_and_licence_file_keep_the_copyright_of_both_sources(self):
        with open(LICENSE_PATH, encoding="utf-8") as stream:
            licenseFile = stream.read()
        for source in (NASKH_PATH, SERIF_PATH):
            notice = TTFont(source)["name"].getDebugName(0)
            self.assertIn(notice, self.Name(0))
            self.assertIn(notice, licenseFile)

    def test_has_a_version(self):
        self.assertRegex(self.Name(5), r"^Version \d+\.\d{3}$")


class FilesTest(unittest.TestCase):
    def test_both_files_are_the_same_font(self):
        first, second = (os.path.join(FONT_DIR, name) for name in OUTPUT_NAMES)
        self.assertTrue(filecmp.cmp(first, second, shallow=False))


class CharacterMapTest(unittest.TestCase):
    """A symbol font: one (3,0) table with each code at U+F000 + code, which
    GDI uses the same way on every code page."""

    def test_is_a_symbol_font_and_nothing_else(self):
        self.assertEqual([(t.platformID, t.platEncID) for t in FONT["cmap"].tables], [(3, 0)])
        os2 = FONT["OS/2"]
        self.assertEqual((os2.ulCodePageRange1, os2.ulCodePageRange2), (1 << 31, 0))
        self.assertEqual((os2.usFirstCharIndex, os2.usLastCharIndex), (0xF020, 0xF0FF))

    def test_each_latin_palette_and_extra_code_and_only_those_find_their_glyph(self):
        cmap = FONT["cmap"].getcmap(3, 0).cmap
        self.assertEqual({point - 0xF000: glyph for point, glyph in cmap.items()},
                         {code: CELLS[code].glyph for code in LATIN_CODES + PALETTE_CODES + EXTRA_CODES})


class PaletteGlyphTest(unittest.TestCase):
    @staticmethod
    def Outline(glyphName):
        """The contours, moved so the leftmost point is at x = 0."""
        pen = RecordingPen()
        GLYPHS[glyphName].draw(pen)
        points = [point for _, args in pen.value for point in args]
        left = min(x for x, _ in points)
        return tuple((op, tuple((x - left, y) for x, y in args)) for op, args in pen.value)

    def test_96_pairwise_distinct_outlines(self):
        outlines = {self.Outline(cell.glyph) for cell in PaletteCells()}
        self.assertEqual(len(outlines), 96)

    def test_line_fits_a_palette_row(self):
        os2 = FONT["OS/2"]
        height = (os2.usWinAscent + os2.usWinDescent) * 21 / FONT["head"].unitsPerEm
        self.assertLessEqual(CELL_TEXT_TOP + height, PALETTE_ROW_HEIGHT)


class ExtraGlyphTest(unittest.TestCase):
    """The codes beyond the palette need no taller line than typed text."""

    @staticmethod
    def Top(code):
        glyph = FONT["glyf"][CELLS[code].glyph]
        return glyph.yMax if glyph.numberOfContours else 0

    def test_rise_no_higher_than_the_palette(self):
        highest = max(self.Top(code) for code in PALETTE_CODES + LATIN_CODES)
        for code in EXTRA_CODES:
            self.assertLessEqual(self.Top(code), highest, code)

    def test_alef_with_hamza_is_a_whole_alef_with_the_hamza_above_it(self):
        alef = self.Top(next(code for code in PALETTE_CODES if CELLS[code].codePoints == (0x0627,)))
        for code in (209, 210):
            coordinates, ends, _ = FONT["glyf"][CELLS[code].glyph].getCoordinates(FONT["glyf"])
            tops = [[y for _, y in coordinates[start:end + 1]] for start, end in zip([0] + [e + 1 for e in ends], ends)]
            above = [ys for ys in tops if min(ys) >= alef]
            self.assertTrue(above, code)
            self.assertEqual(max(max(ys) for ys in tops if ys not in above), alef, code)

    def test_non_joiner_shows_nothing(self):
        name = CELLS[211].glyph
        self.assertEqual((FONT["glyf"][name].numberOfContours, FONT["hmtx"][name][0]), (0, 0))


class CoverageTest(unittest.TestCase):
    def Forms(self, text):
        points = tuple(ord(char) for char in text)
        return {cell.form for cell in PaletteCells() if cell.codePoints == points}

    def test_letters_have_the_forms_connected_text_needs(self):
        for letter in DUAL_JOINING:
            with self.subTest(letter=letter):
                forms = self.Forms(letter)
                self.assertIn("fina", forms)
                self.assertTrue(forms & {"init", "medi"})
        for letter in RIGHT_JOINING:
            self.assertTrue({"isol", "fina"} <= self.Forms(letter), letter)
        for letter in FOUR_FORMS:
            self.assertEqual(self.Forms(letter), {"isol", "fina", "init", "medi"}, letter)
        self.assertEqual(len(set(DUAL_JOINING + RIGHT_JOINING)), 32)

    def test_signs_and_lam_alef(self):
        for sign in SIGNS:
            self.assertTrue(self.Forms(sign), sign)
        self.assertEqual(self.Forms("لا"), {"isol", "fina"})

    def test_every_letter_and_sign_is_written_with_codes_the_control_draws(self):
        encoder = Encoder(LAYOUT)
        words = [word for letter in DUAL_JOINING + RIGHT_JOINING + "آ"
                 for word in (letter, "ب" + letter, letter + "ب", "ب" + letter + "ب", "ا" + letter + "ا")]
        words += ["لا", "بلا"] + [sign for sign in SIGNS if sign != chr(TATWEEL[0])]
        for word in words:
            with self.subTest(word=word):
                self.assertTrue(set(encoder.Encode(word)) <= DrawnPaletteCodes())

    def test_codes_the_control_hides_hold_only_forms_text_can_do_without(self):
        self.assertEqual(HIDDEN_IN_TEXT, (0x81, 0x8D, 0x8F, 0x90, 0x9D, 0xAD))
        drawn = {(cell.codePoints, cell.form) for cell in PaletteCells() if cell.code in DrawnPaletteCodes()}
        for code in HIDDEN_IN_TEXT:
            cell = CELLS[code]
            with self.subTest(code=code):
                self.assertIn((cell.codePoints, cell.form), HIDEABLE)
                if cell.codePoints != TATWEEL:
                    self.assertIn((cell.codePoints, STAND_INS[cell.form]), drawn)

    def test_about_box_shows_an_isolated_letter(self):
        cell = CELLS[229]
        self.assertEqual(cell.form, "isol")
        self.assertIn(chr(cell.codePoints[0]), DUAL_JOINING + RIGHT_JOINING)

    @unittest.skipUnless(shutil.which("hb-shape"), "hb-shape (libharfbuzz-bin) is not installed")
    def test_forms_are_the_ones_harfbuzz_picks(self):
        zwj = "\u200d"
        context = {"isol": "{}", "-": "{}", "init": "{}" + zwj, "medi": zwj + "{}" + zwj, "fina": zwj + "{}"}
        cells = [cell for cell in PaletteCells() if cell.codePoints != LAM_ALEF]
        # Set right to left, a guillemet comes out as its mirror image.
        letters = [chr(MIRRORED.get(cell.codePoints[0], cell.codePoints[0])) for cell in cells]
        lines = "\n".join(context[cell.form].format(letter) for cell, letter in zip(cells, letters))
        command = ["hb-shape", "--language=fa", "--script=arab", "--no-positions", "--no-clusters",
                   "--remove-default-ignorables", NASKH_PATH]
        result = subprocess.run(command, input=lines, capture_output=True, text=True,
                                check=True).stdout.splitlines()
        for cell, shaped in zip(cells, result):
            self.assertEqual(shaped.strip("[]").split("|"), [cell.glyph], cell.code)


@functools.lru_cache(maxsize=None)
def Inked(glyphName, x, y):
    pen = PointInsidePen(GLYPHS, (x, y))
    GLYPHS[glyphName].draw(pen)
    return pen.getResult()


class JoiningTest(unittest.TestCase):
    """Glyph origins stand on whole pixels, as GDI sets text. Each pixel of a
    stroke row is sampled at SLICES points across, so a seam that smoothing
    would show as a pale column counts as a gap."""

    SLICES = 8

    @classmethod
    def setUpClass(cls):
        pen = RecordingPen()
        GLYPHS[TatweelCell().glyph].draw(pen)  # the tatweel spans the baseline stroke
        heights = [y for _, args in pen.value for _, y in args]
        cls.band = (min(heights), max(heights))
        cls.units = FONT["head"].unitsPerEm

    def Rows(self, size):
        bottom, top = self.band
        return [row for row in range(5) if bottom <= (row + 0.5) * self.units / size <= top]

    def Covered(self, glyphName, origin, step, row, size):
        scale = self.units / size
        return Inked(glyphName, ((step + 0.5) / self.SLICES - origin) * scale, (row + 0.5) * scale)

    def Junction(self, left, right, size):
        """Per stroke row: the blank slices between `left`'s ink and `right`'s
        ink near where `right` starts, or None where a row lacks either."""
        origin = round(GLYPHS[left.glyph].width * size / self.units)
        steps = range((origin - 3) * self.SLICES, (origin + 3) * self.SLICES)
        gaps = []
        for row in self.Rows(size):
            lefts = [step for step in steps if self.Covered(left.glyph, 0, step, row, size)]
            rights = [step for step in steps if self.Covered(right.glyph, origin, step, row, size)]
            gaps.append(max(0, min(rights) - max(lefts) - 1) if lefts and rights else None)
        return gaps

    def test_joining_strokes_reach_across_their_edges(self):
        middle = sum(self.band) / 2
        for cell in PaletteCells():
            advance = GLYPHS[cell.glyph].width
            with self.subTest(code=cell.code):
                self.assertEqual(Inked(cell.glyph, advance - 1, middle), JoinsRight(cell))
                self.assertEqual(Inked(cell.glyph, -20, middle), JoinsLeft(cell))

    def Meetings(self, lefts, rights):
        """(where, gaps) for every pair set side by side at every size."""
        for size in PIXEL_SIZES:
            for left in lefts:
                for right in rights:
                    gaps = [gap for gap in self.Junction(left, right, size) if gap is not None]
                    yield (size, left.code, right.code), gaps

    def test_joined_neighbours_touch(self):
        lefts = [cell for cell in PaletteCells() if JoinsRight(cell)]
        rights = [cell for cell in PaletteCells() if JoinsLeft(cell)]
        for where, gaps in self.Meetings(lefts, rights):
            self.assertTrue(gaps, where)
            self.assertEqual(max(gaps), 0, where)

    def test_stroke_never_touches_a_letter_that_does_not_join(self):
        lefts = [cell for cell in PaletteCells() if JoinsRight(cell)]
        rights = [cell for cell in PaletteCells() if Persian(cell) and not JoinsLeft(cell)]
        for where, gaps in self.Meetings(lefts, rights):
            self.assertGreaterEqual(min(gaps, default=self.SLICES), self.SLICES, where)


def Main():
    global FONT_DIR
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--font-dir", default="")
    options, rest = parser.parse_known_args()
    with tempfile.TemporaryDirectory() as scratch:
        FONT_DIR = options.font_dir
        if not FONT_DIR:
            FONT_DIR = scratch
            BuildMain(["--out", scratch])
        unittest.main(argv=[sys.argv[0]] + rest)


if __name__ == "__main__":
    Main()
