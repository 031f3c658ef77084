"""Writes Persian text with the font's codes, as the editor stores it.

The editor keeps a line in display order, left to right, and the font
shows one fixed letter form per code, so encoding picks each letter's form
from its neighbours and then reverses the line. It serves the sample
pictures and the tests; the editor itself only ever sees the codes.
"""

from codepage import HIDDEN_IN_TEXT
from layout import EXTRA_CODES, JoinsLeft, JoinsRight

LAM, ALEF = 0x0644, 0x0627
ZWNJ = 0x200C
MIRRORED = {0x00AB: 0x00BB, 0x00BB: 0x00AB}
# A letter shown in a form it has no drawn cell for takes the form that
# looks nearest and joins on the same side where it matters.
STAND_INS = {"init": "medi", "isol": "fina"}


def IsDigit(codePoint):
    return 0x30 <= codePoint <= 0x39 or 0x06F0 <= codePoint <= 0x06F9


class Encoder:
    def __init__(self, cells):
        # A cell whose code the text control hides writes nothing a reader
        # sees, so a user of the palette writes with its stand-in instead;
        # the letters beyond the palette are out of a user's reach.
        cells = [cell for cell in cells if cell.code not in HIDDEN_IN_TEXT and cell.code not in EXTRA_CODES]
        self.codes = {(cell.codePoints, cell.form): cell.code for cell in cells}
        self.plain = {cell.codePoints: cell.code for cell in cells if cell.form == "-"}
        self.joinsBefore, self.joinsAfter = set(), set()
        for cell in cells:
            if cell.source == "naskh" and JoinsRight(cell):
                self.joinsBefore.add(cell.codePoints)
            if cell.source == "naskh" and JoinsLeft(cell):
                self.joinsAfter.add(cell.codePoints)

    def Units(self, text):
        """Logical order units: single characters, lam-alef pairs, ZWNJs."""
        points, units, index = [ord(char) for char in text], [], 0
        while index < len(points):
            if points[index:index + 2] == [LAM, ALEF]:
                units.append((LAM, ALEF))
                index += 2
            else:
                units.append((points[index],))
                index += 1
        return units

    def Joined(self, units, first, second):
        """Whether units[first] joins the unit that follows it in reading order."""
        return (0 <= first and second < len(units)
                and units[first] in self.joinsAfter and units[second] in self.joinsBefore)

    def Form(self, units, index):
        before, after = self.Joined(units, index - 1, index), self.Joined(units, index, index + 1)
        return {(False, False): "isol", (True, False): "fina",
                (False, True): "init", (True, True): "medi"}[(before, after)]

    def Code(self, unit, form):
        if unit in self.plain:
            return self.plain[unit]
        for candidate in (form, STAND_INS.get(form)):
            if (unit, candidate) in self.codes:
                return self.codes[(unit, candidate)]
        raise KeyError(f"no code shows {' '.join(f'U+{p:04X}' for p in unit)} as {form}")

    def LogicalCodes(self, text):
        """(code, unit) pairs in reading order."""
        units = self.Units(text)
        return [(self.Code(unit, self.Form(units, index)), unit)
                for index, unit in enumerate(units) if unit != (ZWNJ,)]

    def Encode(self, line):
        """The bytes of one right-to-left line, in display order.

        Runs of digits keep their left-to-right order; guillemets turn to
        face the other way, as bidirectional mirroring shows them.
        """
        runs = []
        for code, unit in self.LogicalCodes(line):
            digit = IsDigit(unit[0])
            if runs and digit and runs[-1][0]:
                runs[-1][1].append(code)
            else:
                runs.append((digit, [self.Mirrored(code, unit)]))
        return bytes(code for _, run in reversed(runs) for code in run)

    def Mirrored(self, code, unit):
        if unit[0] in MIRRORED:
            return self.plain[(MIRRORED[unit[0]],)]
        return code
