#!/usr/bin/python3
"""Checks of the pixel art converter on tiny art files."""

import os
import struct
import sys
import tempfile
import unittest
from unittest import mock

sys.dont_write_bytecode = True  # keep __pycache__ out of the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pixelart  # noqa: E402

TINY_SIZES = {"toolbar": [(3, 2)], "glyph": [(3, 2)],
              "icon": [(3, 2), (1, 1)]}

TOOLBAR = """# a tiny toolbar picture
kind toolbar
disabled
. transparent
K 000000
W ffffff
R ff0000
image 3 2
K.W
.RK
"""
GLYPH = TOOLBAR.replace("kind toolbar\ndisabled", "kind glyph").replace(
    ".RK", "..K")


class TinyArtTest(unittest.TestCase):
    def setUp(self):
        patcher = mock.patch.dict(pixelart.KIND_SIZES, TINY_SIZES)
        patcher.start()
        self.addCleanup(patcher.stop)
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)

    def WriteArt(self, name, text):
        path = os.path.join(self.folder.name, name)
        with open(path, "w", encoding="ascii") as stream:
            stream.write(text)
        return path

    def Outputs(self, name, text):
        art = pixelart.ReadArt(self.WriteArt(name, text))
        return {fileName: data
                for _, _, fileName, data in pixelart.ArtOutputs(art)}


def BmpPixels(data):
    """Width, height and top-down rows of RGB ints of a 24-bit BMP."""
    magic, fileSize, _, _, offset = struct.unpack_from("<2sIHHI", data)
    assert magic == b"BM" and fileSize == len(data)
    _, width, height, _, bits = struct.unpack_from("<IiiHH", data, 14)
    assert bits == 24
    stride = (3 * width + 3) // 4 * 4
    rows = []
    for y in range(height):
        start = offset + y * stride
        rows.append([int.from_bytes(data[start + 3 * x:start + 3 * x + 3],
                                     "little") for x in range(width)])
    assert len(data) == offset + height * stride
    return width, height, rows[::-1]


class BitmapTest(TinyArtTest):
    def testToolbarBitmapIsBottomUpPaddedBgrWithButtonFace(self):
        outputs = self.Outputs("t.txt", TOOLBAR)
        width, height, rows = BmpPixels(outputs["t.bmp"])
        self.assertEqual((width, height), (3, 2))
        self.assertEqual(rows, [[0x000000, 0xC0C0C0, 0xFFFFFF],
                                [0xC0C0C0, 0xFF0000, 0x000000]])

    def testDisabledKeepsDarkPixelsAsShadowOverAnOffsetHighlight(self):
        outputs = self.Outputs("t.txt", TOOLBAR)
        _, _, rows = BmpPixels(outputs["t_disabled.bmp"])
        # Black and red are dark, white falls away; the highlight copy of
        # (0,0) lands under the red pixel's shadow at (1,1).
        self.assertEqual(rows, [[0x808080, 0xC0C0C0, 0xC0C0C0],
                                [0xC0C0C0, 0x808080, 0x808080]])

    def testGlyphPutsDisabledImageBesideOnOlive(self):
        outputs = self.Outputs("g.txt", GLYPH)
        self.assertEqual(list(outputs), ["g.bmp"])
        width, _, rows = BmpPixels(outputs["g.bmp"])
        self.assertEqual(width, 6)
        self.assertEqual(rows, [
            [0x000000, 0x808000, 0xFFFFFF, 0x808080, 0x808000, 0x808000],
            [0x808000, 0x808000, 0x000000, 0x808000, 0xFFFFFF, 0x808080]])


class IconTest(TinyArtTest):
    ICON = """kind icon
. transparent
B 0000ff
image 3 2
B..
.BB
image 1 1
.
"""

    def testIconHasBothImagesWithColourBitsAndAndMask(self):
        data = self.Outputs("Pen.txt", self.ICON)["Pen.ico"]
        self.assertEqual(struct.unpack_from("<HHH", data), (0, 1, 2))
        entries = [struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
                   for i in range(2)]
        self.assertEqual([e[:2] for e in entries], [(3, 2), (1, 1)])
        self.assertEqual(entries[0][7], 6 + 32)
        self.assertEqual(entries[1][7], entries[0][7] + entries[0][6])
        self.assertEqual(entries[1][7] + entries[1][6], len(data))

        offset = entries[0][7]
        _, width, height, _, bits = struct.unpack_from("<IiiHH", data, offset)
        self.assertEqual((width, height, bits), (3, 4, 4))
        pixels = offset + 40 + 16 * 4
        blue = pixelart.VGA_COLOURS.index(0x0000FF)
        # Bottom-up 4-bit rows padded to 4 bytes: ".BB" then "B..".
        self.assertEqual(data[pixels:pixels + 8],
                         bytes([blue, blue << 4, 0, 0, blue << 4, 0, 0, 0]))
        # AND mask rows, 1 where transparent: ".BB" -> 100, "B.." -> 011.
        self.assertEqual(data[pixels + 8:pixels + 16],
                         bytes([0x80, 0, 0, 0, 0x60, 0, 0, 0]))


class RejectTest(TinyArtTest):
    def testFaultsAreReportedWithTheirLine(self):
        cases = [
            (TOOLBAR, ".RK", ".RKK", ":10: row is 4 pixels wide"),
            (TOOLBAR, ".RK", ".RX", ":10: 'X' is not in the palette"),
            (TOOLBAR, "R ff0000", "R ff0001", ":7: ff0001 is not one of"),
            (TOOLBAR, "R ff0000", "R red", ":7: 'red' is not a colour"),
            (TOOLBAR, "R ff0000", "R ff0000\nR 0000ff", ":8: 'R' is defined"),
            (TOOLBAR, "image 3 2", "image 3 3", ":8: the image needs 3 rows"),
            (TOOLBAR, "image 3 2\nK.W", "image 3 1", "needs images of"),
            (TOOLBAR, "kind toolbar\n", "", "no 'kind' given"),
            (TOOLBAR, "kind toolbar", "kind tool", ":2: unknown kind"),
            (TOOLBAR, "disabled", "disabled yes", ":3: wrong number of"),
            (TOOLBAR, "R ff0000", "R c0c0c0", "background C0C0C0 is also"),
            # The disabled image's shadow grey would be keyed out too.
            (TOOLBAR, "disabled", "disabled\nbackground 808080", "808080 is"),
            (TOOLBAR, ".RK\n", ".RK\nKKK\n", ":11: unknown setting 'KKK'"),
            (GLYPH, "..K", "K.K", "bottom-left pixel"),
            (GLYPH, "kind glyph", "kind glyph\ndisabled", "only toolbar"),
        ]
        for base, old, new, message in cases:
            with self.subTest(message=message):
                path = self.WriteArt("bad.txt", base.replace(old, new, 1))
                with self.assertRaises(pixelart.ArtError) as caught:
                    pixelart.ReadArt(path)
                self.assertIn(message, str(caught.exception))


class ConvertTest(TinyArtTest):
    def Convert(self, ids):
        art = self.WriteArt("tiny.txt", TOOLBAR)
        header = self.WriteArt("Ids.h", ids)
        out = os.path.join(self.folder.name, "out")
        pixelart.Convert([art], out, header)
        return out

    def testWritesFilesAndResourceScript(self):
        out = self.Convert("#define IDB_TINY 5\n#define IDB_TINY_DISABLED 6\n")
        self.assertEqual(sorted(os.listdir(out)), [
            "Ids.h", "art.rc", "tiny.bmp", "tiny_disabled.bmp"])
        with open(os.path.join(out, "art.rc"), encoding="ascii") as stream:
            script = stream.read()
        self.assertIn('#include "Ids.h"', script)
        self.assertIn('IDB_TINY BITMAP "tiny.bmp"\n'
                      'IDB_TINY_DISABLED BITMAP "tiny_disabled.bmp"', script)

    def testIdsMustMatchThePicturesBothWays(self):
        for ids, message in [
                ("#define IDB_TINY 5\n", "no #define for IDB_TINY_DISABLED"),
                ("#define IDB_TINY 5\n#define IDB_TINY_DISABLED 6\n"
                 "#define IDB_GONE 7\n", "no picture for IDB_GONE"),
                ("#define IDB_TINY 5\n#define IDB_TINY_DISABLED 5\n",
                 "two ids share one number")]:
            with self.subTest(message=message):
                with self.assertRaises(pixelart.ArtError) as caught:
                    self.Convert(ids)
                self.assertIn(message, str(caught.exception))


if __name__ == "__main__":
    unittest.main()
