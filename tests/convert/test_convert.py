#!/usr/bin/python3
"""dabiro-convert as a user runs it: files and standard streams, exit
status, and OUT left alone when the conversion fails.

Usage: test_convert.py PATH-TO-dabiro-convert
"""

import os
import subprocess
import sys
import tempfile
import unittest

PROGRAM = None
SENTENCE = "سلام Hello «دنیا» ۱۲۳ می‌روم\n"


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

    def test_help(self):
        result = Run("--help")
        self.assertEqual(result.returncode, 0)
        self.assertIn(b"to-unicode", result.stdout)


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main(verbosity=2)
