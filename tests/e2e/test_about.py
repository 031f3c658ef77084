"""A person opens Help/About in the editor: the box slides down from above
the screen to about half way, its glyph pulses, a press on OK stops the
glyph and the release closes the box. The box's picture is kept."""

import os
import subprocess
import time

import harness
from harness import Click, ClientOrigin, FindWindow, Geometry, Keys, WaitFor, XDo

CLIENT_WIDTH, CLIENT_HEIGHT = 328, 291
OK_MIDDLE = (48, 260)
SURFACE = (164, 240)  # between the panel and the buttons
SCREEN_HEIGHT = 768


def FinalTop(height):
    return 4 * ((SCREEN_HEIGHT - height) // 8)


class AboutBox(harness.ProgramTest):
    def test_help_about_slides_in_and_ok_closes_it(self):
        program = self.Start("Dabiro.exe")
        FindWindow("^Untitled - Dabiro$")
        time.sleep(1)  # the menu bar answers once the window has settled
        Keys("alt+h")
        time.sleep(0.3)
        Keys("a")
        box = FindWindow("^About Dabiro 1.0$")
        WaitFor(lambda: Geometry(box)[1] == FinalTop(Geometry(box)[3]), 10, "the slide")
        x, y = ClientOrigin(box, CLIENT_HEIGHT, CLIENT_WIDTH)
        # Wine without a window manager takes the focus from a window that
        # moves off the screen, as the box does before its slide: a click on
        # the box's own surface makes it the active window again.
        Click(x + SURFACE[0], y + SURFACE[1])
        time.sleep(1)
        subprocess.run(["import", "-window", box, os.path.join(self.options.out, "about-box.png")],
                       check=True)

        XDo("mousemove", x + OK_MIDDLE[0], y + OK_MIDDLE[1])
        XDo("mousedown", 1)
        time.sleep(0.3)
        self.assertTrue(harness.WindowExists("^About Dabiro 1.0$"), "a press alone closes nothing")
        XDo("mouseup", 1)
        WaitFor(lambda: not harness.WindowExists("^About Dabiro 1.0$"), 5, "the box to close")

        Keys("alt+F4")
        self.assertEqual(program.WaitForExit(), 0)


if __name__ == "__main__":
    harness.Main()
