"""A person writes two Persian lines by clicking palette cells, typing a
space and pressing Enter; the text must hold the glyphs in display order,
and the line must stand at the right margin. And the same person writes
Persian from the keyboard, each letter's form chosen for them."""

import os
import subprocess
import tempfile
import time

import harness
from harness import ClientOrigin, FindWindow, Keys, Type, XDo
from palette import ClickCell, Decode1252

TITLE = "^Untitled - Dabiro$"
TEXT_TOP, TEXT_HEIGHT = 209, 193

# "panjereh" (window) in five cells, then "sabz" (green) in three: read
# right to left, the first line says "green window". The second line: "man".
FIRST_WORD = [136, 237, 130, 149, 233]
SECOND_WORD = [174, 138, 147]
SECOND_LINE = [239, 238]


def StoredText():
    """What the document must hold: each run stored in reverse order of
    clicking, the space between the words, the break after the first line."""
    first = list(reversed(SECOND_WORD)) + [32] + list(reversed(FIRST_WORD))
    return bytes(first) + b"\r\n" + bytes(reversed(SECOND_LINE))


class PaletteWriting(harness.ProgramTest):
    def setUp(self):
        super().setUp()
        self.Start("Dabiro.exe")
        self.window = FindWindow(TITLE)
        self.origin = ClientOrigin(self.window)

    def DocumentThroughClipboard(self, expected):
        return harness.CopiedText(("ctrl+Home", "ctrl+shift+End", "ctrl+c"), expected)

    def InkBox(self, shot):
        """Left and right edge of what is drawn on the first text line."""
        x, y = self.origin
        crop = f"{harness.CLIENT_WIDTH - 40}x30+{x + 10}+{y + TEXT_TOP + 2}"
        box = subprocess.run(["/usr/bin/convert", shot, "-crop", crop, "+repage", "-fuzz", "20%",
                              "-format", "%@", "info:"],
                             capture_output=True, text=True, check=True).stdout
        size, left = box.split("+")[0], int(box.split("+")[1])
        return 10 + left, 10 + left + int(size.split("x")[0])

    def test_clicked_words_run_right_to_left(self):
        for code in FIRST_WORD:
            ClickCell(self.origin, code)
        Type(" ")
        for code in SECOND_WORD:
            ClickCell(self.origin, code)
        Keys("Return")
        for code in SECOND_LINE:
            ClickCell(self.origin, code)

        shot = self.Shot("palette-writing-screen")
        x, y = self.origin
        picture = os.path.join(self.options.out, "palette-writing.png")
        subprocess.run(["import", "-window", "root", "-crop",
                        f"{harness.CLIENT_WIDTH}x{TEXT_TOP + 80}+{x}+{y}", "+repage", picture],
                       check=True)
        left, right = self.InkBox(shot)
        # Right-aligned: the ink ends at the right margin (beside the
        # scroll bar) and leaves most of the line empty on the left.
        self.assertGreater(right, harness.CLIENT_WIDTH - 60, (left, right))
        self.assertGreater(left, harness.CLIENT_WIDTH // 2, (left, right))

        expected = Decode1252(StoredText()).replace("\r\n", "\n")
        self.assertEqual(self.DocumentThroughClipboard(expected), expected)

        # The same order on disk: saved as plain text, byte for byte.
        with tempfile.TemporaryDirectory() as folder:
            harness.SaveAs(harness.TEXT_FILES, harness.WindowsPath(os.path.join(folder, "line")))
            FindWindow("^line.txt - Dabiro$")
            with open(os.path.join(folder, "line.txt"), "rb") as saved:
                self.assertEqual(saved.read(), StoredText())

    def test_keys_typed_on_the_persian_layout_store_what_from_unicode_writes(self):
        # "Salam donya" and "miravam" with its ZWNJ (Shift+Space), by the
        # keys of the US positions the Persian layout puts the letters on.
        Keys("alt+shift")
        for key in "s g h l space n k d h Return l d shift+space v comma l".split():
            XDo("key", key)
            time.sleep(0.05)
        text = "سلام دنیا\r\nمی\u200cروم"
        convert = subprocess.run([harness.WINE, os.path.join(self.options.bin, "dabiro-convert.exe"),
                                  "from-unicode", "-", "-"], input=text.encode("utf-8"),
                                 capture_output=True, check=True).stdout
        x, y = self.origin
        picture = os.path.join(self.options.out, "keyboard-writing.png")
        subprocess.run(["import", "-window", "root", "-crop",
                        f"{harness.CLIENT_WIDTH}x{harness.CLIENT_HEIGHT}+{x}+{y}", "+repage", picture],
                       check=True)
        with tempfile.TemporaryDirectory() as folder:
            harness.SaveAs(harness.TEXT_FILES, harness.WindowsPath(os.path.join(folder, "typed")))
            FindWindow("^typed.txt - Dabiro$")
            with open(os.path.join(folder, "typed.txt"), "rb") as saved:
                self.assertEqual(saved.read(), convert)


if __name__ == "__main__":
    harness.Main()
