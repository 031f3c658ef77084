"""Persian from another program comes in through Paste Unicode, is saved as
the glyph codes a person would have written with the palette, and leaves
again through Copy as Unicode as the same Unicode text."""

import os
import subprocess
import tempfile
import time

import harness
from harness import FindWindow, Keys

TITLE = "^Untitled - Dabiro$"
# "mi-ravam" (I go), with its ZWNJ, over "salaam" with its lam-alef.
UNICODE = "می‌روم\nسلام"
STORED = b"\xb0\xeb\x94\xe6\xef\r\n\xb0\xe2\xae"


def PutOnClipboard(text):
    # xclip serves the selection from the background until it is replaced.
    subprocess.run(["xclip", "-i", "-selection", "clipboard"], input=text.encode("utf-8"), check=True)


class UnicodeClipboard(harness.ProgramTest):
    def test_pasted_unicode_is_saved_as_codes_and_copies_back(self):
        self.Start("Dabiro.exe")
        FindWindow(TITLE)
        PutOnClipboard(UNICODE)
        time.sleep(0.5)
        Keys("alt+e", "d")  # Paste Unico&de
        with tempfile.TemporaryDirectory() as folder:
            harness.SaveAs(harness.TEXT_FILES, harness.WindowsPath(os.path.join(folder, "unicode")))
            FindWindow("^unicode.txt - Dabiro$")
            with open(os.path.join(folder, "unicode.txt"), "rb") as saved:
                self.assertEqual(saved.read(), STORED)

        PutOnClipboard("")
        # Nothing selected: the whole text. Copy as Unicode is the fourth
        # item below Undo.
        text = None
        for _ in range(5):
            Keys("ctrl+Home", "alt+e", "Down", "Down", "Down", "Down", "Return")
            end = time.time() + 2
            while time.time() < end:
                text = harness.ClipboardText().replace("\r\n", "\n")
                if text == UNICODE:
                    break
                time.sleep(0.1)
            if text == UNICODE:
                break
        self.assertEqual(text, UNICODE)


if __name__ == "__main__":
    harness.Main()
