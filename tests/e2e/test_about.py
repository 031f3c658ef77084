"""A person opens Help/About in the editor: the box slides down from above
the screen to about half way, its glyph pulses, a press on OK stops the
glyph and the release closes the box. The box's picture is kept."""

import os
import subprocess
import time

import aboutbox
import harness
from harness import FindWindow, Keys, WaitFor, XDo


class AboutBox(harness.ProgramTest):
    def test_help_about_slides_in_and_ok_closes_it(self):
        program = self.Start("Dabiro.exe")
        FindWindow("^Untitled - Dabiro$")
        time.sleep(1)  # the menu bar answers once the window has settled
        box, (x, y) = aboutbox.Open()
        time.sleep(1)
        subprocess.run(["import", "-window", box, os.path.join(self.options.out, "about-box.png")],
                       check=True)

        XDo("mousemove", x + aboutbox.OK_MIDDLE[0], y + aboutbox.OK_MIDDLE[1])
        XDo("mousedown", 1)
        time.sleep(0.3)
        self.assertTrue(harness.WindowExists(aboutbox.TITLE), "a press alone closes nothing")
        XDo("mouseup", 1)
        WaitFor(lambda: not harness.WindowExists(aboutbox.TITLE), 5, "the box to close")

        Keys("alt+F4")
        self.assertEqual(program.WaitForExit(), 0)


if __name__ == "__main__":
    harness.Main()
