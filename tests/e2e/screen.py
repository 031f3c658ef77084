"""What the Windows side shows: the visible top-level windows of a Wine
prefix with their owners, and the controls of its dialogs, read through
bin/windowlist.exe. xdotool sees a message box only by its caption; this
reads its text and buttons too."""

import os
import re
import subprocess
import sys
from dataclasses import dataclass, field

import harness


@dataclass
class Control:
    kind: str
    text: str
    controlId: int
    rect: tuple

    def Centre(self):
        left, top, right, bottom = self.rect
        return (left + right) // 2, (top + bottom) // 2


@dataclass
class Window:
    kind: str
    text: str
    owner: int
    processId: int
    rect: tuple
    controls: list = field(default_factory=list)

    def Buttons(self):
        return [control.text.replace("&", "") for control in self.controls if control.kind == "Button"]

    def Button(self, label):
        return next(c for c in self.controls if c.kind == "Button" and c.text.replace("&", "") == label)

    def Control(self, controlId, kind):
        return next(c for c in self.controls if c.controlId == controlId and c.kind == kind)

    def Message(self):
        """A message box's text: its one static control with text."""
        return "".join(c.text for c in self.controls if c.kind == "Static")

    def Icon(self):
        """A message box's icon: its static control without text."""
        return next(c for c in self.controls if c.kind == "Static" and not c.text)


def Windows(binFolder, env=None):
    environment = dict(os.environ)
    environment.update(env or {})
    result = subprocess.run([harness.WINE, os.path.join(binFolder, "windowlist.exe")],
                            env=environment, capture_output=True, timeout=60, check=True)
    windows = []
    for record in result.stdout.split(b"\x1e")[:-1]:
        kind, className, text, relation, processId, rect = record.decode("cp1252").split("\x1f")
        rect = tuple(int(value) for value in rect.split(","))
        if kind == "window":
            windows.append(Window(className, text, int(relation), int(processId), rect))
        else:
            windows[-1].controls.append(Control(className, text, int(relation), rect))
    return windows


def Boxes(binFolder, env=None):
    return [window for window in Windows(binFolder, env) if window.kind == "#32770"]


def WaitForBox(binFolder, caption, env=None, timeout=20.0):
    """Waits through xdotool, then reads: a Wine program started while
    another one starts up can hang on the desktop they both wait for."""
    harness.FindWindow("^" + re.escape(caption) + "$", timeout)
    def Search():
        return next((box for box in Boxes(binFolder, env) if box.text == caption), None)
    return harness.WaitFor(Search, timeout, f"message box {caption!r}")


def StartForBox(start, binFolder, caption, env=None, timeout=20.0, desktopInUse=False):
    """Starts a program whose first window is a box, and waits for that box.
    Now and then a Wine program started just after another one went down
    hangs on the desktop they share and never shows; one more start tells
    that apart from a program that shows nothing. What was on the screen
    the first time goes to the test's output. With desktopInUse another
    program of the prefix keeps the desktop up: no need to wait for it."""
    for attempt in range(2):
        if not desktopInUse:
            harness.WaitForIdleDesktop(env)
        program = start()
        try:
            return program, WaitForBox(binFolder, caption, env, timeout)
        except AssertionError as missing:
            ReportScene(f"{missing} (start {attempt + 1}, program "
                        f"{'running' if program.Running() else 'ended'})", env)
            program.Kill()
            if attempt:
                raise


def ReportScene(what, env=None):
    """The X windows and Wine processes of the moment, on standard error."""
    names = harness.XDo("search", "--onlyvisible", "--name", ".*", check=False).split()
    titles = [harness.XDo("getwindowname", window, check=False) for window in names]
    processes = subprocess.run(["ps", "-eo", "pid,stat,etimes,args"], capture_output=True,
                               text=True).stdout.splitlines()
    wine = [line for line in processes
            if (".exe" in line or "wineserver" in line) and "python" not in line]
    print(f"\n{what}\nprefix {harness.PrefixOf(env)}\nvisible windows: {titles}\n"
          "Wine processes:\n  " + "\n  ".join(wine), file=sys.stderr)


def MeanColour(rect):
    """The mean red, green and blue (0..1) of a screen rectangle."""
    left, top, right, bottom = rect
    crop = f"{right - left}x{bottom - top}+{left}+{top}"
    out = subprocess.run(["import", "-window", "root", "-crop", crop, "-format",
                          "%[fx:mean.r] %[fx:mean.g] %[fx:mean.b]", "info:"],
                         capture_output=True, text=True, check=True).stdout
    return tuple(float(value) for value in out.split())

