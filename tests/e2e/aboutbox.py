"""The about box as a person opens it from the editor's Help menu."""

import time

from harness import Click, ClientOrigin, FindWindow, Geometry, Keys, WaitFor, XDo

TITLE = "^About Dabiro 1.0$"
CLIENT_WIDTH, CLIENT_HEIGHT = 328, 291
OK_MIDDLE = (48, 260)
SURFACE = (164, 240)  # between the panel and the buttons
SCREEN_HEIGHT = 768


def FinalTop(height):
    return 4 * ((SCREEN_HEIGHT - height) // 8)


def Open():
    """Help/About; waits for the box to end its slide and makes it the
    active window. Returns the box and the screen position of its client
    area."""
    Keys("alt+h")
    time.sleep(0.3)
    Keys("a")
    box = FindWindow(TITLE)
    WaitFor(lambda: Geometry(box)[1] == FinalTop(Geometry(box)[3]), 10, "the slide")
    x, y = ClientOrigin(box, CLIENT_HEIGHT, CLIENT_WIDTH)
    # Wine without a window manager takes the focus from a window that
    # moves off the screen, as the box does before its slide: a click on
    # the box's own surface makes it the active window again.
    Click(x + SURFACE[0], y + SURFACE[1])
    return box, (x, y)


def ClickOk(origin):
    """Clicks OK as a person does, holding the button a moment: the press
    stops the pulsing glyph and ends the activation handler, the release
    then closes the box. A press and release taken together inside that
    handler would stop the glyph but, like Enter, leave the box open."""
    XDo("mousemove", origin[0] + OK_MIDDLE[0], origin[1] + OK_MIDDLE[1])
    XDo("mousedown", 1)
    time.sleep(0.1)
    XDo("mouseup", 1)
