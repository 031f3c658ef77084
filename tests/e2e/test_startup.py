"""The editor starts as a person sees it, takes typing at once, opens a
small document after a large one at once, and ends through Exit, the close
box and Alt+F4."""

import os
import shutil
import tempfile
import time

import harness
from harness import Click, FindWindow, Keys, Type

TITLE = "^Untitled - Dabiro$"


class Startup(harness.ProgramTest):
    def StartEditor(self, **kw):
        program = self.Start("Dabiro.exe", **kw)
        return program, FindWindow(TITLE)

    def test_typing_goes_into_the_text_at_once(self):
        program, window = self.StartEditor()
        Type("abc")
        self.assertEqual(harness.CopiedText(("shift+Home", "ctrl+c"), "abc"), "abc")
        self.Shot("startup")

    def test_a_small_document_after_a_large_one_shows_within_seconds(self):
        folder = tempfile.mkdtemp(prefix="replacing-", dir="/tmp")
        self.addCleanup(shutil.rmtree, folder)
        large, small = os.path.join(folder, "large.txt"), os.path.join(folder, "small.txt")
        with open(large, "w", newline="") as file:
            file.write("".join(f"line {i} of a large document\r\n" for i in range(33000)))
        with open(small, "w") as file:
            file.write("twelve bytes")
        self.Start("Dabiro.exe", harness.WindowsPath(large))
        FindWindow("^large.txt - Dabiro$", timeout=120)
        Keys("alt+f", "o")
        FindWindow("^Open$")
        Type(harness.WindowsPath(small))
        Keys("Return")
        started = time.time()
        FindWindow("^small.txt - Dabiro$", timeout=10)
        self.assertLess(time.time() - started, 5)
        copied = harness.CopiedText(("ctrl+Home", "shift+ctrl+End", "ctrl+c"), "twelve bytes")
        self.assertEqual(copied, "twelve bytes")
        self.Shot("small-after-large")

    def test_exit_ends_the_program(self):
        program, window = self.StartEditor()
        Keys("alt+f", "x")
        self.assertEqual(program.WaitForExit(), 0)

    def test_close_box_ends_the_program(self):
        program, window = self.StartEditor()
        Click(*harness.CloseBoxCentre(window))
        self.assertEqual(program.WaitForExit(), 0)

    def test_alt_f4_ends_the_program(self):
        program, window = self.StartEditor()
        Keys("alt+F4")
        self.assertEqual(program.WaitForExit(), 0)

    def test_without_the_rich_edit_library_it_says_so_and_still_edits(self):
        env = {"WINEDLLOVERRIDES": "mscoree,mshtml=;riched32=;riched20="}
        program = self.Start("Dabiro.exe", env=env)
        FindWindow("^Dabiro$")
        self.Shot("no-rich-edit")
        Keys("Return")
        FindWindow(TITLE)
        Type("plain")
        self.assertEqual(harness.CopiedText(("shift+Home", "ctrl+c"), "plain"), "plain")
        Keys("alt+F4")
        # The typed text makes the document modified: decline to save it.
        FindWindow("^Best.*tigen$")
        Keys("alt+n")
        self.assertEqual(program.WaitForExit(), 0)


if __name__ == "__main__":
    harness.Main()
