"""Documents that come from outside: dropped on the window by another
program through the desktop's drag and drop, as a file manager drops
them."""

import os
import shutil
import tempfile

import harness
import xdnd
from harness import FindWindow, WaitFor


class Opening(harness.ProgramTest):
    def test_a_file_dropped_from_another_program_opens(self):
        folder = tempfile.mkdtemp(dir="/tmp")
        self.addCleanup(shutil.rmtree, folder, True)
        path = os.path.join(folder, "dropped letter.rtf")
        with open(path, "w") as file:
            file.write("{\\rtf1\\ansi dropped from outside\\par}")
        self.Start("Dabiro.exe")
        window = FindWindow("^Untitled - Dabiro$")
        x, y, width, height = harness.Geometry(window)
        self.assertTrue(xdnd.DropFiles(window, (x + width // 2, y + height - 100), [path]))
        FindWindow("^dropped letter.rtf - Dabiro$")
        self.assertEqual(harness.CopiedText(("ctrl+Home", "ctrl+shift+End", "ctrl+c"),
                                            "dropped from outside"),
                         "dropped from outside")


if __name__ == "__main__":
    harness.Main()
