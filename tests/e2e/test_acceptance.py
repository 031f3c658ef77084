"""The whole product as a person meets it, in a Wine prefix that has never
seen it: install the font, write two Persian lines with the palette, make a
word bold and larger, save as RTF, start anew, open the file again, save as
plain text, print, look at the about box and quit without saving the last
change. Everything goes through the mouse and the keyboard; a screenshot of
every step goes into the output folder."""

import glob
import os
import re
import shutil
import subprocess
import tempfile
import time
from pathlib import Path

import aboutbox
import harness
import palette
import rtf
import screen
from harness import Click, ClientOrigin, FindWindow, Keys, Type, WaitFor

# "panjereh sabz ast" (the window is green) over "salaam donya" (hello world).
LINES = ["پنجره سبز است", "سلام دنیا"]
FORMATTED_WORD = "سبز"
DEFAULT_SIZE, LARGER_SIZE = 20, 28

FOLDER = "acceptance"  # on the prefix's drive C
WINDOWS_FOLDER = "C:\\" + FOLDER
BASE_NAME = "sabz"
RTF_FILTER, TEXT_FILTER = 1, 2

UNTITLED = "^Untitled - Dabiro$"
FONT_FOLDER_WINDOW = "^Fonts$"
QUESTION_CAPTION = "Bestätigen"

# The editor's toolbar, in client coordinates.
BOLD_BUTTON = (392, 17)
SIZE_FIELD = (343, 16)
# Its text area, left of the scroll bar.
TEXT_AREA = (2, 211, 610, 400)

# Controls of the system's file dialogs.
FILE_NAME_FIELD, FILE_TYPE_LIST = 1148, 1136

PDF_FOLDER = os.path.expanduser("~/PDF")


def Menu(letter, item):
    Keys(f"alt+{letter}")
    time.sleep(0.3)
    Keys(item)


def PdfPrefix(jobName):
    """cups-pdf names its file after the job: spaces and punctuation become '_'."""
    return os.path.join(PDF_FOLDER, re.sub(r"[^A-Za-z0-9.-]", "_", jobName))


def PrinterIdle():
    return not subprocess.run(["lpstat", "-o", "PDF"], capture_output=True, text=True).stdout.strip()


def PdfPages(pdf):
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True, check=True).stdout
    return int(re.search(r"Pages:\s+(\d+)", info).group(1))


def InkBox(picture):
    """Width, height, left and top of what is drawn on a white picture."""
    box = subprocess.run(["convert", picture, "-fuzz", "20%", "-format", "%@", "info:"],
                         capture_output=True, text=True, check=True).stdout
    return tuple(int(value) for value in re.match(r"(\d+)x(\d+)\+(\d+)\+(\d+)", box).groups())


def PictureSize(picture):
    size = subprocess.run(["identify", "-format", "%w %h", picture],
                          capture_output=True, text=True, check=True).stdout
    return tuple(int(value) for value in size.split())


class Acceptance(harness.ProgramTest):
    def setUp(self):
        super().setUp()
        self.bin = self.options.bin
        prefix = tempfile.mkdtemp(prefix="acceptance-prefix-", dir="/tmp")
        self.env = {"WINEPREFIX": prefix}
        self.addCleanup(harness.RemovePrefix, self.env)
        harness.CreatePrefix(self.env)
        self.fonts = os.path.join(prefix, "drive_c", "windows", "Fonts")
        self.folder = os.path.join(prefix, "drive_c", FOLDER)
        os.makedirs(self.folder)

        encoder = palette.Encoder()
        self.lines = [encoder.Encode(line) for line in LINES]
        self.stored = b"\r\n".join(self.lines)
        self.word = encoder.Encode(FORMATTED_WORD)
        self.shots = 0

    def Step(self, name):
        """A screenshot of the windows, without the empty desktop around them."""
        self.shots += 1
        path = self.Shot(f"acceptance-{self.shots:02}-{name}")
        subprocess.run(["convert", path, "-bordercolor", "black", "-border", "1", "-trim", "+repage",
                        path], check=True)

    def ClickClient(self, point):
        Click(self.origin[0] + point[0], self.origin[1] + point[1])

    def WaitForBox(self, caption, timeout=20.0):
        return screen.WaitForBox(self.bin, caption, self.env, timeout)

    def WaitUntilClosed(self, caption):
        pattern = "^" + re.escape(caption) + "$"
        WaitFor(lambda: not harness.WindowExists(pattern), 10, f"{caption!r} to close")

    def test_install_write_format_save_open_print_and_quit(self):
        self.InstallFont()
        editor = self.StartEditor()
        self.WriteTwoLines()
        self.MakeWordBoldAndLarger()
        self.AssertFormattedRtf(self.SaveAs(RTF_FILTER, BASE_NAME + ".rtf"))
        self.NewDocument()
        self.OpenAgain(BASE_NAME + ".rtf")
        saved = self.SaveAs(TEXT_FILTER, BASE_NAME + ".txt")
        self.assertEqual(Path(saved).read_bytes(), self.stored)
        documentName = f"{WINDOWS_FOLDER}\\{BASE_NAME}.txt"
        self.PrintToPdf(documentName)
        self.OpenAndCloseAboutBox()
        self.ChangeAndQuitWithoutSaving(editor, documentName)
        self.assertEqual(Path(saved).read_bytes(), self.stored)

    # -- the steps ------------------------------------------------------------

    def InstallFont(self):
        # A new prefix makes the first start slow.
        installer, question = screen.StartForBox(
            lambda: self.Start("fontsetup.exe", env=self.env), self.bin, "Hi", self.env, timeout=40)
        self.Step("fontsetup-question")
        Click(*question.Button("Yes").Centre())
        folder = FindWindow(FONT_FOLDER_WINDOW)
        done = self.WaitForBox("Installation complete.")
        self.Step("font-installed")
        Click(*done.Button("OK").Centre())
        self.assertEqual(installer.WaitForExit(), 0)
        Click(*harness.CloseBoxCentre(folder))
        WaitFor(lambda: not harness.WindowExists(FONT_FOLDER_WINDOW), 10, "the folder window to close")
        self.assertEqual(Path(self.fonts, "pfont.ttf").read_bytes(),
                         Path(self.bin, "pfontnt.ttf").read_bytes())

    def StartEditor(self):
        harness.WaitForIdleDesktop(self.env)
        editor = self.Start("Dabiro.exe", env=self.env)
        self.window = FindWindow(UNTITLED, timeout=60)
        self.origin = ClientOrigin(self.window)
        time.sleep(1)  # the menu bar answers once the window has settled
        return editor

    def WriteTwoLines(self):
        for index, line in enumerate(self.lines):
            if index:
                Keys("Return")
            palette.WriteLine(self.origin, line)
        self.Step("written")
        self.AssertDocumentText()

    def MakeWordBoldAndLarger(self):
        self.SelectWord()
        self.ClickClient(BOLD_BUTTON)
        self.ClickClient(SIZE_FIELD)
        Keys("Home", "shift+End")
        Type(str(LARGER_SIZE))
        time.sleep(0.5)
        self.Step("word-bold-and-larger")

    def SaveAs(self, filterIndex, fileName):
        """Save As with the name typed without extension: the filter adds it."""
        Menu("f", "a")
        dialog = self.WaitForBox("Save As")
        self.ChooseFileType(dialog, filterIndex)
        Click(*dialog.Control(FILE_NAME_FIELD, "Edit").Centre())
        Type(f"{WINDOWS_FOLDER}\\{BASE_NAME}")
        self.Step(f"save-as-{fileName.replace('.', '-')}")
        Click(*dialog.Button("Save").Centre())
        self.WaitUntilClosed("Save As")
        FindWindow("^" + re.escape(fileName) + " - Dabiro$")
        saved = os.path.join(self.folder, fileName)
        shutil.copy(saved, os.path.join(self.options.out, "acceptance-" + fileName))
        return saved

    def NewDocument(self):
        Menu("f", "n")
        FindWindow(UNTITLED)
        time.sleep(0.5)
        self.Step("new")
        left, top, right, bottom = TEXT_AREA
        x, y = self.origin
        colour = screen.MeanColour((x + left, y + top, x + right, y + bottom))
        self.assertGreater(min(colour), 0.99, "an empty, white text area")

    def OpenAgain(self, fileName):
        Menu("f", "o")
        dialog = self.WaitForBox("Open")
        Click(*dialog.Control(FILE_NAME_FIELD, "Edit").Centre())
        Type(f"{WINDOWS_FOLDER}\\{fileName}")
        Click(*dialog.Button("Open").Centre())
        self.WaitUntilClosed("Open")
        FindWindow("^" + re.escape(fileName) + " - Dabiro$")
        self.AssertDocumentText()
        # The word as the control holds it, copied as rich text.
        self.SelectWord()
        copied = harness.CopiedText(("ctrl+c",), palette.Decode1252(self.word))
        self.assertEqual(copied, palette.Decode1252(self.word))
        self.assertEqual(rtf.Runs(harness.ClipboardData("text/rtf").rstrip(b"\0")),
                         [(self.word, True, LARGER_SIZE)])
        self.Step("opened-word-selected")

    def PrintToPdf(self, documentName):
        prefix = PdfPrefix(documentName)
        for old in glob.glob(prefix + "*.pdf"):
            os.remove(old)
        Menu("f", "p")
        dialog = self.WaitForBox("Print")
        self.Step("print-dialog")
        Click(*dialog.Button("OK").Centre())

        def Printed():
            found = glob.glob(prefix + "*.pdf")
            return found[0] if found and PrinterIdle() else None
        pdf = WaitFor(Printed, 90, "the printed PDF")
        self.assertEqual(PdfPages(pdf), 1)
        picture = os.path.join(self.options.out, "acceptance-printed-page")
        subprocess.run(["pdftoppm", "-r", "50", "-png", "-singlefile", pdf, picture], check=True)
        width, height = PictureSize(picture + ".png")
        inkWidth, inkHeight, inkLeft, inkTop = InkBox(picture + ".png")
        # Two right-aligned lines at the top of the page.
        self.assertGreater(inkHeight, 10)
        self.assertGreater(inkLeft + inkWidth, width * 0.8)
        self.assertLess(inkTop + inkHeight, height * 0.2)

    def OpenAndCloseAboutBox(self):
        _, origin = aboutbox.Open()
        time.sleep(1)
        self.Step("about-box")
        aboutbox.ClickOk(origin)
        WaitFor(lambda: not harness.WindowExists(aboutbox.TITLE), 5, "the about box to close")

    def ChangeAndQuitWithoutSaving(self, editor, documentName):
        Keys("ctrl+End")
        palette.ClickCell(self.origin, self.word[0])
        Click(*harness.CloseBoxCentre(self.window))
        question = self.WaitForBox(QUESTION_CAPTION)
        self.assertEqual(question.Message(), f"Save changes to {documentName}?")
        self.Step("save-question")
        Click(*question.Button("Nein").Centre())
        self.assertEqual(editor.WaitForExit(), 0)

    # -- input ----------------------------------------------------------------

    def ChooseFileType(self, dialog, filterIndex):
        """Drops down the file dialog's list of types and picks one with the
        keys: the list shows only some of its types at a time."""
        Click(*dialog.Control(FILE_TYPE_LIST, "ComboBox").Centre())

        def DroppedList():
            windows = screen.Windows(self.bin, self.env)
            return next((window for window in windows if window.kind == "ComboLBox"), None)
        WaitFor(DroppedList, 10, "the list of file types")
        Keys("Home", *["Down"] * (filterIndex - 1), "Return")

    def SelectWord(self):
        """Ctrl+Home goes where the text begins in reading order: the first
        line's right end, its stored end."""
        line = self.lines[0]
        end = line.index(self.word) + len(self.word)
        Keys("ctrl+Home", *["Left"] * (len(line) - end), *["shift+Left"] * len(self.word))

    # -- checks ---------------------------------------------------------------

    def AssertDocumentText(self):
        """The whole text, copied: the glyph codes in stored order."""
        expected = palette.Decode1252(self.stored).replace("\r\n", "\n")
        copied = harness.CopiedText(("ctrl+Home", "ctrl+shift+End", "ctrl+c"), expected)
        self.assertEqual(copied, expected)

    def AssertFormattedRtf(self, path):
        document = Path(path).read_bytes()
        self.assertTrue(document.startswith(b"{\\rtf"), document[:20])
        self.assertEqual(rtf.Runs(document), self.FormattedRuns())

    def FormattedRuns(self):
        start = self.stored.index(self.word)
        end = start + len(self.word)
        return [(self.stored[:start], False, DEFAULT_SIZE),
                (self.word, True, LARGER_SIZE),
                (self.stored[end:], False, DEFAULT_SIZE)]


if __name__ == "__main__":
    harness.Main()
