"""Drives the real programs under Wine on the test's X display, as a person
would: xdotool for the mouse and keyboard, ImageMagick for screenshots."""

import argparse
import glob
import os
import shutil
import subprocess
import sys
import time
import unittest

WINE = "/usr/lib/wine/wine64"
REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CLIENT_WIDTH, CLIENT_HEIGHT = 632, 421


def Options():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True, help="folder with the built programs")
    parser.add_argument("--out", required=True, help="folder for screenshots")
    options, rest = parser.parse_known_args()
    os.makedirs(options.out, exist_ok=True)
    return options, [sys.argv[0]] + rest


def XDo(*args, check=True):
    result = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True)
    if check and result.returncode != 0:
        raise AssertionError(f"xdotool {' '.join(map(str, args))}: {result.stderr.strip()}")
    return result.stdout.strip()


def WaitFor(condition, timeout=20.0, what="condition"):
    end = time.time() + timeout
    while time.time() < end:
        value = condition()
        if value:
            return value
        time.sleep(0.1)
    raise AssertionError(f"timed out waiting for {what}")


def FindWindow(namePattern, timeout=20.0):
    """The X window id of a visible window whose title matches."""
    def Search():
        out = XDo("search", "--onlyvisible", "--name", namePattern, check=False)
        return out.split()[-1] if out else None
    return WaitFor(Search, timeout, f"window {namePattern!r}")


def WindowExists(namePattern):
    return bool(XDo("search", "--onlyvisible", "--name", namePattern, check=False))


def Geometry(window):
    values = dict(line.split("=") for line in XDo("getwindowgeometry", "--shell", window).split())
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


def ClientOrigin(window, clientHeight=CLIENT_HEIGHT, clientWidth=CLIENT_WIDTH):
    """Screen position of a main window's client area: Wine draws the frame
    itself, equally wide on every side, with caption and menu above."""
    x, y, width, height = Geometry(window)
    border = (width - clientWidth) // 2
    return x + border, y + height - border - clientHeight


# Wine draws a sizable window's frame itself, this wide on every side.
FRAME_BORDER = 4


def CloseBoxCentre(window):
    """The rightmost button of a window's caption bar."""
    x, y, width, height = Geometry(window)
    return x + width - FRAME_BORDER - 9, y + FRAME_BORDER + 9


def Click(x, y, button=1):
    XDo("mousemove", x, y)
    time.sleep(0.05)
    XDo("click", button)
    time.sleep(0.1)


def Keys(*keys):
    for key in keys:
        XDo("key", "--clearmodifiers", key)
        time.sleep(0.08)


def Type(text):
    XDo("type", "--delay", 40, text)
    time.sleep(0.1)


# The entries of the editor's "Files of type" list, in order.
RTF_FILES, TEXT_FILES, ALL_FILES = 0, 1, 2


def SaveAs(fileType, windowsPath, timeout=20.0):
    """File/Save As through the real dialog, as a person does: the name
    typed into the name box, the file type chosen with the arrow keys from
    the first entry, then Save."""
    Keys("alt+f", "a")
    FindWindow("^Save As$", timeout)
    Keys("alt+n")
    Type(windowsPath)
    Keys("Tab", "Home", *(["Down"] * fileType))
    Keys("alt+s")
    WaitFor(lambda: not WindowExists("^Save As$"), timeout, "the Save As dialog to close")


def WindowsPath(path, prefix=None):
    """The name Wine gives a Unix path: drive C is the prefix's drive_c,
    drive Z the root."""
    driveC = os.path.join(prefix or os.environ["WINEPREFIX"], "drive_c")
    if os.path.commonpath([driveC, path]) == driveC:
        return "C:\\" + os.path.relpath(path, driveC).replace("/", "\\")
    return "Z:" + path.replace("/", "\\")


def ClipboardData(target=None):
    """What X's clipboard holds, in the form target names (default: text)."""
    command = ["xclip", "-o", "-selection", "clipboard"] + (["-t", target] if target else [])
    return subprocess.run(command, capture_output=True).stdout


def ClipboardText():
    return ClipboardData().decode("utf-8", "replace")


def CopiedText(copyKeys, expected, tries=5):
    """Presses the keys that copy, until the clipboard holds the expected
    text or the tries run out; returns what the clipboard holds. Wine hands
    the clipboard to X through its desktop process, which a program started
    just after another one may not have ready yet."""
    text = None
    for _ in range(tries):
        Keys(*copyKeys)
        end = time.time() + 2
        while time.time() < end:
            text = ClipboardText().replace("\r\n", "\n").rstrip("\n")
            if text == expected:
                return text
            time.sleep(0.1)
    return text


def DesktopProcesses(prefix):
    """Ids of the prefix's desktop process, which Wine keeps a moment after
    the last program has ended."""
    wanted = b"WINEPREFIX=" + os.fsencode(prefix) + b"\0"
    found = []
    for entry in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{entry}/cmdline", "rb") as f:
                if b"explorer.exe /desktop" not in f.read().replace(b"\0", b" "):
                    continue
            with open(f"/proc/{entry}/environ", "rb") as f:
                if wanted in f.read():
                    found.append(int(entry))
        except OSError:
            pass
    return found


def PrefixOf(env=None):
    """The Wine prefix a program started with env runs in."""
    return (env or {}).get("WINEPREFIX", os.environ["WINEPREFIX"])


def RemoveRecoveryCopies(env=None):
    """An editor a test killed may leave the copy of its unsaved text, which
    the next editor started would offer: each test starts without one."""
    pattern = os.path.join(PrefixOf(env), "drive_c", "users", "*", "Temp", "Dabiro-*.rtf")
    for path in glob.glob(pattern):
        os.remove(path)


def WaitForIdleDesktop(env=None):
    """A program started while the desktop shuts down gets a dying one: the
    folder window the shell opens for it never shows. So start on none."""
    prefix = PrefixOf(env)
    WaitFor(lambda: not DesktopProcesses(prefix), 20, "the Wine desktop to close")


def RunWine(env, *args):
    environment = dict(os.environ)
    environment.update(env)
    return subprocess.run(list(args), env=environment, capture_output=True, timeout=120)


def CreatePrefix(env):
    """A new prefix as the build scripts make one, but without the font."""
    RunWine(dict(env, DABIRO_WITHOUT_GLYPH_FONT="1"),
            os.path.join(REPO, "scripts", "wine-prefix.sh"))
    RunWine(env, "/usr/lib/wine/wineserver", "-w")


def RemovePrefix(env):
    RunWine(env, "/usr/lib/wine/wineserver", "-k")
    RunWine(env, "/usr/lib/wine/wineserver", "-w")
    shutil.rmtree(env["WINEPREFIX"], ignore_errors=True)


def Screenshot(path):
    subprocess.run(["import", "-window", "root", path], check=True)
    return path


class Program:
    """One program started under Wine; killed at the end if still running."""

    def __init__(self, exe, *args, env=None, cwd=None):
        environment = dict(os.environ)
        environment.update(env or {})
        self.process = subprocess.Popen([WINE, exe, *args], env=environment, cwd=cwd,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def WaitForExit(self, timeout=20.0):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("the program did not end")

    def Running(self):
        return self.process.poll() is None

    def Kill(self):
        if self.Running():
            self.process.kill()
            self.process.wait()


class ProgramTest(unittest.TestCase):
    """Base for end-to-end tests: options, screenshots, clean-up."""

    options = None

    def setUp(self):
        self.programs = []
        RemoveRecoveryCopies()
        WaitForIdleDesktop()

    def tearDown(self):
        for program in self.programs:
            program.Kill()
        # A killed program may leave its windows to the server for a moment.
        time.sleep(0.3)

    def Start(self, exeName, *args, **kw):
        program = Program(os.path.join(self.options.bin, exeName), *args, **kw)
        self.programs.append(program)
        return program

    def Shot(self, name):
        return Screenshot(os.path.join(self.options.out, name + ".png"))


def Main():
    options, argv = Options()
    ProgramTest.options = options
    unittest.main(argv=argv, verbosity=2)
