"""Reads the text of an RTF document with the two formats the tests look
at, bold and size: enough for what a rich edit control writes, not a
general reader."""

import re

TOKEN = re.compile(rb"\\'([0-9a-fA-F]{2})|\\([a-z]+)(-?\d+)? ?|\\(.)|([{}])|([\r\n])|(.)", re.S)
# Groups that hold no document text.
DESTINATIONS = {b"fonttbl", b"colortbl", b"stylesheet", b"info", b"pict"}
DEFAULT_HALF_POINTS = 24


class Format:
    def __init__(self):
        self.bold, self.halfPoints, self.hidden = False, DEFAULT_HALF_POINTS, False

    def Copy(self):
        copy = Format()
        copy.bold, copy.halfPoints, copy.hidden = self.bold, self.halfPoints, self.hidden
        return copy

    def Apply(self, word, parameter):
        if word == b"b":
            self.bold = parameter != 0
        elif word == b"fs":
            self.halfPoints = DEFAULT_HALF_POINTS if parameter is None else parameter
        elif word == b"plain":
            self.bold, self.halfPoints = False, DEFAULT_HALF_POINTS
        elif word in DESTINATIONS:
            self.hidden = True


def Characters(document):
    """(byte, bold, size in points) for each character of the text. A
    paragraph mark between two paragraphs is CR LF; the one that ends the
    last paragraph adds nothing. What follows the document's group (a rich
    edit control ends its output with a NUL byte) is no part of it."""
    current, saved, characters = Format(), [], []
    pendingBreaks = []  # the formats of paragraph marks not yet followed by text

    def Emit(data):
        if current.hidden:
            return
        for format in pendingBreaks:
            characters.extend((byte, *format) for byte in b"\r\n")
        pendingBreaks.clear()
        characters.extend((byte, current.bold, current.halfPoints / 2) for byte in data)

    for match in TOKEN.finditer(document):
        hexByte, word, parameter, symbol, brace, lineBreak, literal = match.groups()
        if brace == b"{":
            saved.append(current.Copy())
        elif brace == b"}":
            if len(saved) <= 1:
                break
            current = saved.pop()
        elif word == b"par" and not current.hidden:
            pendingBreaks.append((current.bold, current.halfPoints / 2))
        elif word:
            current.Apply(word, None if parameter is None else int(parameter))
        elif symbol == b"*":
            current.hidden = True
        elif symbol:
            Emit(symbol)
        elif hexByte:
            Emit(bytes([int(hexByte, 16)]))
        elif literal:
            Emit(literal)
    return characters


def Runs(document):
    """The text as (bytes, bold, size in points) runs of one format each."""
    runs = []
    for byte, bold, size in Characters(document):
        if runs and runs[-1][1:] == (bold, size):
            runs[-1] = (runs[-1][0] + bytes([byte]), bold, size)
        else:
            runs.append((bytes([byte]), bold, size))
    return runs


def Text(document):
    return b"".join(run[0] for run in Runs(document))
