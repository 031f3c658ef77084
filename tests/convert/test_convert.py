#!/usr/bin/python3
"""dabiro-convert as a user runs it: files and standard streams, exit
status, and OUT left alone when the conversion fails.

Usage: test_convert.py PATH-TO-dabiro-convert
"""

import itertools
import os
import re
import subprocess
import sys
import tempfile
import unittest

PROGRAM = None
SENTENCE = "سلام Hello «دنیا» ۱۲۳ می‌روم\n"
LAYOUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "font", "layout.tsv")
PERSIAN_DIGITS = str.maketrans("0123456789", "۰۱۲۳۴۵۶۷۸۹")
MIRRORED = str.maketrans("()[]{}<>«»", ")(][}{><»«")


def BidiSentences():
    """Persian sentences with numbers, signs, units and Latin words in them,
    each number written with Latin and with Persian digits."""
    items = ["2023-08-03", "1403/01/02", "10-20", "50%", "+98 21 1234 5678", "021-8888-1234", "$100",
             "125,000", "-5", "+3", "5 kg", "12 MB", "Windows 10", "Latin Title", "ISO 9001", "12 345 678",
             "New York", "3.14", "10:30", "#12", "e-mail", "C++", "1 + 2 = 3", "Python 3.12", "5 و 6",
             "(2023)", "[Latin] Title", "1-2-3", "20%-30%"]
    places = ["قیمت {} است", "{} تومان", "سال {}", "{}", "تاریخ {}.", "شماره: {}، کتاب", "کتاب ({}) خوب",
              "کتاب «{}» خوب", "نام {} و {}"]
    written = sorted({form for item in items for form in (item, item.translate(PERSIAN_DIGITS))})
    return [place.format(item, item) for item, place in itertools.product(written, places)]


def ShownCharacters():
    """What each glyph code shows, left to right as the control shows it."""
    shown = {9: "\t"}
    with open(LAYOUT, encoding="utf-8") as layout:
        for row in layout:
            if row.startswith("#") or not row.strip():
                continue
            code, _, characters = row.split("\t")[:3]
            shown[int(code)] = "".join(chr(int(part, 16)) for part in reversed(characters.split("+")))
    return shown


def ShownLines(sentences):
    glyphs = Run("from-unicode", "-", "-", stdin="\n".join(sentences).encode("utf-8")).stdout
    shown = ShownCharacters()
    return ["".join(shown[code] for code in line) for line in glyphs.replace(b"\r", b"").split(b"\n")]


def FribidiLines(sentences):
    """The lines in the order the Unicode reference shows them with a
    right-to-left paragraph, mirrored where its levels are odd."""
    result = subprocess.run(["fribidi", "--rtl", "--nobreak", "--vtol", "--levels", "--novisual"],
                            input="\n".join(sentences).encode("utf-8"), capture_output=True, check=True)
    rows = result.stdout.decode().splitlines()
    lines = []
    for sentence, order, levels in zip(sentences, rows[0::2], rows[1::2]):
        levels = [int(level) for level in levels.split()]
        lines.append("".join(sentence[index].translate(MIRRORED) if levels[index] % 2 else sentence[index]
                             for index in map(int, order.split())))
    return lines


def NamedException(sentence):
    """The orders that differ from the reference on purpose, so that glyph
    text reads back as the text it came from (README, "Display order")."""
    latin = re.search("[A-Za-z]", sentence)
    persian = re.search("[آ-ی]", sentence)
    cases = {
        "number then Latin word": re.match(r"[^A-Za-z]*\d\S* +[A-Za-z]", sentence),
        "signed number opening a Persian line": persian and not latin and re.match(r"[#$]\d|\d\S*[-+%#$]", sentence),
        "separator after a terminator": not persian and re.search(r"\d[%#$]+[-+]\d", sentence),
        "Latin in brackets beside Latin": re.search(r"[\[(][A-Za-z ]+[\])] ?[A-Za-z]|[A-Za-z] ?[\[(][A-Za-z ]+[\])]",
                                                    sentence),
    }
    return next((name for name, found in cases.items() if found), None)


def Run(*arguments, stdin=b""):
    return subprocess.run([PROGRAM, *arguments], input=stdin, capture_output=True)


def Umask():
    mask = os.umask(0)
    os.umask(mask)
    return mask


class ConvertProgram(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)

    def Path(self, name):
        return os.path.join(self.folder.name, name)

    def test_text_goes_out_and_back_through_files_and_streams(self):
        with open(self.Path("in.txt"), "wb") as stream:
            stream.write(b"\xff\xfe" + SENTENCE.encode("utf-16-le"))
        self.assertEqual(Run("from-unicode", self.Path("in.txt"), self.Path("glyphs.txt")).returncode, 0)
        result = Run("to-unicode", self.Path("glyphs.txt"), "-")
        self.assertEqual((result.returncode, result.stdout.decode("utf-8")), (0, SENTENCE))
        self.assertEqual(os.stat(self.Path("glyphs.txt")).st_mode & 0o777, 0o666 & ~Umask())
        piped = Run("from-unicode", "-", "-", stdin=SENTENCE.encode("utf-8"))
        with open(self.Path("glyphs.txt"), "rb") as stream:
            self.assertEqual(piped.stdout, stream.read())

    def test_failure_says_why_and_leaves_out_as_it_was(self):
        with open(self.Path("out.txt"), "wb") as stream:
            stream.write(b"old")
        result = Run("from-unicode", "-", self.Path("out.txt"), stdin="aé".encode("utf-8"))
        self.assertNotEqual(result.returncode, 0)
        self.assertIn(b"line 1, column 2: U+00E9", result.stderr)
        with open(self.Path("out.txt"), "rb") as stream:
            self.assertEqual(stream.read(), b"old")
        self.assertEqual(sorted(os.listdir(self.folder.name)), ["out.txt"])
        for arguments in (["to-unicode", self.Path("missing.txt"), "-"], ["to-unicode", "-"],
                          ["to-unicode", "-", os.path.join(self.Path("none"), "out.txt")]):
            result = Run(*arguments)
            self.assertEqual(result.returncode, 1, arguments)
            self.assertTrue(result.stderr.startswith(b"dabiro-convert: "), arguments)

    def test_display_order_is_the_unicode_reference_but_for_the_named_cases(self):
        sentences = BidiSentences()
        differing = [(sentence, shown, reference) for sentence, shown, reference
                     in zip(sentences, ShownLines(sentences), FribidiLines(sentences))
                     if shown != reference and not NamedException(sentence)]
        self.assertEqual(differing, [])

    def test_help(self):
        result = Run("--help")
        self.assertEqual(result.returncode, 0)
        self.assertIn(b"to-unicode", result.stdout)


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main(verbosity=2)
