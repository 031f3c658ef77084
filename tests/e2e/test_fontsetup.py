"""The font installer as a person meets it under Wine: the question, the copy
into the prefix's font folder, the folder the shell opens, the completion
box, and the error box when the copy fails. Last, in a prefix of its own
that has never seen the font, the palette of an editor that runs while the
font is installed, before and after, and the font's registry entry."""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

import harness
import screen
from harness import Click, ClientOrigin, FindWindow, Keys, WaitFor

QUESTION = "This will install the required Persian Font. Continue ?"
DONE_CAPTION = "Installation complete."
DONE_TEXT = "The persian font is now ready to use."
FAILED_CAPTION = "Installation failed."
DESTINATION = "C:\\windows\\Fonts\\pfont.ttf"
FOLDER_WINDOW = "^Fonts$"
FONTS_KEY = "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts"
FONTS_VALUE = "Persian (TrueType)"
EDITOR_TITLE = "^Untitled - Dabiro$"
PALETTE_TOP, PALETTE_HEIGHT = 32, 177
# Nothing may appear within this time after the installer has ended; the
# shell needs well under it to show a folder.
QUIET_SECONDS = 2.5


def FontsFolder(prefix):
    return os.path.join(prefix, "drive_c", "windows", "Fonts")


def Contents(folder):
    return {name: ReadBytes(os.path.join(folder, name)) for name in sorted(os.listdir(folder))}


def ReadBytes(path):
    with open(path, "rb") as f:
        return f.read()


def WriteBytes(path, data):
    with open(path, "wb") as f:
        f.write(data)


def VisibleWindows():
    return set(harness.XDo("search", "--onlyvisible", "--name", ".*", check=False).split())


def Reddish(colour):
    red, _, blue = colour
    return red - blue > 0.1


def Bluish(colour):
    red, _, blue = colour
    return blue - red > 0.1


class FontSetup(harness.ProgramTest):
    def setUp(self):
        super().setUp()
        self.bin = self.options.bin
        self.prefix = os.environ["WINEPREFIX"]
        self.fonts = FontsFolder(self.prefix)
        self.destination = os.path.join(self.fonts, "pfont.ttf")
        self.shipped = ReadBytes(os.path.join(self.bin, "pfontnt.ttf"))
        # The other tests need the prefix's font as it was.
        original = ReadBytes(self.destination) if os.path.exists(self.destination) else None
        self.addCleanup(self.RestoreFont, original)
        self.addCleanup(self.CloseFontFolder, required=False)

    # -- the prefix's font folder ------------------------------------------

    def RestoreFont(self, original):
        self.MakeWritable(self.destination)
        if original is None:
            if os.path.exists(self.destination):
                os.remove(self.destination)
        else:
            WriteBytes(self.destination, original)

    def PutOlderFont(self):
        WriteBytes(self.destination, b"an older pfont.ttf")

    def RemoveFont(self):
        if os.path.exists(self.destination):
            os.remove(self.destination)

    def MakeReadOnly(self, path):
        os.chmod(path, 0o444)
        if os.geteuid() == 0:
            # Root writes through file modes: only the immutable flag stops it.
            if subprocess.run(["chattr", "+i", path], capture_output=True).returncode != 0:
                self.skipTest("cannot make a file read-only for root here")

    def MakeWritable(self, path):
        if os.path.exists(path):
            if os.geteuid() == 0:
                subprocess.run(["chattr", "-i", path], capture_output=True)
            os.chmod(path, 0o644)

    # -- installer copies elsewhere in the prefix ---------------------------

    def InstallerCopy(self, withFonts, depth=0):
        """fontsetup.exe copied into a new folder of drive C (nested depth
        folders deep), with font files unlike the shipped ones."""
        root = tempfile.mkdtemp(prefix="fontsetup-", dir=os.path.join(self.prefix, "drive_c"))
        self.addCleanup(shutil.rmtree, root, True)
        folder = os.path.join(root, *[f"a-folder-with-a-rather-long-name-{i:02}" for i in range(depth)])
        os.makedirs(folder, exist_ok=True)
        shutil.copy(os.path.join(self.bin, "fontsetup.exe"), folder)
        if withFonts:
            WriteBytes(os.path.join(folder, "pfontnt.ttf"), self.shipped + b" beside a copy, NT")
            WriteBytes(os.path.join(folder, "pfont95.ttf"), self.shipped + b" beside a copy, 95")
        return folder

    # -- what the person sees -----------------------------------------------

    def StartInstaller(self, exe=None, env=None, cwd=None, desktopInUse=False):
        # An exe given with its folder is started from there, not from bin.
        program, question = screen.StartForBox(
            lambda: self.Start(exe or "fontsetup.exe", env=env, cwd=cwd), self.bin, "Hi", env,
            desktopInUse=desktopInUse)
        self.AssertBox(question, QUESTION, ["Yes", "No", "Cancel"], Bluish)
        return program, question

    def AssertBox(self, box, text, buttons, iconColour):
        self.assertEqual(box.Message(), text)
        self.assertEqual(box.Buttons(), buttons)
        self.assertEqual(box.owner, 0, "a box without owner")
        # A slow folder window may have come up over the box.
        harness.XDo("windowraise", FindWindow("^" + re.escape(box.text) + "$"))
        time.sleep(0.3)
        colour = screen.MeanColour(box.Icon().rect)
        self.assertTrue(iconColour(colour), f"the icon of {box.text!r}: {colour}")

    def AssertNothingOpens(self, before):
        """No window beyond those of before shows up for a while (asked of
        the X server: a Wine program started now would race the desktop's
        shut-down)."""
        end = time.time() + QUIET_SECONDS
        while time.time() < end:
            self.assertEqual(VisibleWindows() - before, set())
            time.sleep(0.2)

    def CloseFontFolder(self, required=True):
        """Ends the process that shows the folder window, by its id."""
        windows = harness.XDo("search", "--onlyvisible", "--name", FOLDER_WINDOW, check=False).split()
        if required:
            self.assertTrue(windows, "the font folder is open")
        for window in windows:
            os.kill(int(harness.XDo("getwindowpid", window)), signal.SIGKILL)
        WaitFor(lambda: not harness.WindowExists(FOLDER_WINDOW), 10, "the folder window to close")

    def FinishInstall(self, program, env=None):
        """After Yes: the completion box over the open font folder."""
        FindWindow(FOLDER_WINDOW)
        done = screen.WaitForBox(self.bin, DONE_CAPTION, env)
        self.AssertBox(done, DONE_TEXT, ["OK"], Bluish)
        self.assertEqual([box.text for box in screen.Boxes(self.bin, env)], [DONE_CAPTION])
        self.CloseFontFolder()
        Keys("Return")
        # It tells every window of the desktop about the font before it ends.
        self.assertEqual(program.WaitForExit(60), 0)

    # -- the tests -----------------------------------------------------------

    def test_any_answer_but_yes_ends_at_once_and_changes_nothing(self):
        answers = {
            "No": lambda question: Keys("n"),
            "Cancel": lambda question: Click(*question.Button("Cancel").Centre()),
            "closing the box": lambda question: Keys("alt+F4"),
        }
        self.RemoveFont()
        before = Contents(self.fonts)
        for answer, give in answers.items():
            with self.subTest(answer=answer):
                windows = VisibleWindows()
                program, question = self.StartInstaller()
                give(question)
                self.assertEqual(program.WaitForExit(), 0)
                self.AssertNothingOpens(windows)
                self.assertEqual(Contents(self.fonts), before)

    def test_yes_replaces_an_older_font_opens_the_folder_and_reports(self):
        self.PutOlderFont()
        program, question = self.StartInstaller()
        answered = time.time()
        Click(*question.Button("Yes").Centre())
        FindWindow("^" + DONE_CAPTION + "$")
        self.assertGreaterEqual(time.time() - answered, 2.0, "the pause before the last box")
        self.assertEqual(ReadBytes(self.destination), self.shipped)
        self.FinishInstall(program)

    def test_started_from_elsewhere_it_takes_the_file_beside_itself(self):
        folder = self.InstallerCopy(withFonts=True)
        program, question = self.StartInstaller(os.path.join(folder, "fontsetup.exe"), cwd=self.bin)
        Keys("y")
        FindWindow("^" + DONE_CAPTION + "$")
        self.assertEqual(ReadBytes(self.destination), ReadBytes(os.path.join(folder, "pfontnt.ttf")))
        self.FinishInstall(program)

    def test_a_failed_copy_is_reported_and_changes_nothing(self):
        def MissingSource():
            return self.InstallerCopy(withFonts=False), "File not found."

        def ReadOnlyDestination():
            self.PutOlderFont()
            self.MakeReadOnly(self.destination)
            return self.bin, "Access denied."

        def PathBeyondMaxPath():
            # The whole path is named: the installer's own path is read
            # however long it is.
            return self.InstallerCopy(withFonts=True, depth=10), "File name is too long."

        for case in (MissingSource, ReadOnlyDestination, PathBeyondMaxPath):
            with self.subTest(case=case.__name__):
                self.MakeWritable(self.destination)
                self.RemoveFont()
                folder, reason = case()
                before = Contents(self.fonts)
                windows = VisibleWindows()
                program, question = self.StartInstaller(os.path.join(folder, "fontsetup.exe"))
                Keys("Return")
                failed = screen.WaitForBox(self.bin, FAILED_CAPTION)
                source = harness.WindowsPath(os.path.join(folder, "pfontnt.ttf"), self.prefix)
                text = (f"The persian font could not be copied.\n\nFrom: {source}\n"
                        f"To: {DESTINATION}\n\n{reason}")
                self.AssertBox(failed, text, ["OK"], Reddish)
                self.assertEqual([w.text for w in screen.Windows(self.bin)], [FAILED_CAPTION])
                Keys("Return")
                self.assertNotEqual(program.WaitForExit(), 0)
                self.AssertNothingOpens(windows)
                self.assertEqual(Contents(self.fonts), before)

    def test_in_a_fresh_prefix_the_running_editor_shows_the_glyphs_once_installed(self):
        prefix = tempfile.mkdtemp(prefix="fontsetup-prefix-", dir="/tmp")
        env = {"WINEPREFIX": prefix}
        self.addCleanup(harness.RemovePrefix, env)
        harness.CreatePrefix(env)
        self.assertFalse(os.path.exists(os.path.join(FontsFolder(prefix), "pfont.ttf")))

        harness.WaitForIdleDesktop(env)
        editor = self.Start("Dabiro.exe", env=env)
        window = FindWindow(EDITOR_TITLE)
        before = self.Palette(window, "fresh-prefix-without-font")
        program, question = self.StartInstaller(env=env, desktopInUse=True)
        Keys("y")
        self.FinishInstall(program, env)
        # The same editor, not restarted: the font arrived while it ran.
        def Changed():
            now = self.Palette(window, "fontsetup-palette")
            return now if now != before else None
        after = WaitFor(Changed, 10, "the palette to change")
        self.assertEqual(FontsKeyEntry(env), "pfont.ttf")
        editor.Kill()
        WaitFor(lambda: not harness.WindowExists(EDITOR_TITLE), 10, "the editor to end")

        # The test prefix got its font from the build scripts, not the installer.
        harness.WaitForIdleDesktop()
        reference = self.Start("Dabiro.exe")
        referencePalette = self.Palette(FindWindow(EDITOR_TITLE), "test-prefix-palette")
        reference.Kill()
        self.assertEqual(ReadBytes(os.path.join(FontsFolder(prefix), "pfont.ttf")), self.shipped)
        self.assertEqual(after, referencePalette)

    def Palette(self, window, name):
        """Keeps a picture of the editor's window and returns the palette's pixels."""
        time.sleep(1.0)
        subprocess.run(["import", "-window", window, os.path.join(self.options.out, name + ".png")],
                       check=True)
        left, top = ClientOrigin(window)
        crop = f"{harness.CLIENT_WIDTH}x{PALETTE_HEIGHT}+{left}+{top + PALETTE_TOP}"
        return subprocess.run(["import", "-window", "root", "-crop", crop, "rgb:-"],
                              capture_output=True, check=True).stdout


def FontsKeyEntry(env):
    """The installed font's entry under the NT family's Fonts key, or None."""
    out = harness.RunWine(env, harness.WINE, "reg", "query", FONTS_KEY, "/v", FONTS_VALUE).stdout
    found = re.search(re.escape(FONTS_VALUE) + r"\s+REG_SZ\s+(\S+)", out.decode("latin-1"))
    return found and found.group(1)

if __name__ == "__main__":
    harness.Main()
