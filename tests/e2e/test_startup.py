"""The editor starts as a person sees it, takes typing at once and ends
through Exit, the close box and Alt+F4."""

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
