"""Which code points reach the font for an 8-bit character code.

The font is a symbol font: GDI hands it U+F000 + code for every code,
whatever the system's code page, and the editor keeps its codes as those
characters where its text control keeps UTF-16.

Before, the font was an ANSI font reached through Windows-1252, which the
tables below still describe: on that code page a rich edit control hides
some codes, and the layout keeps only forms there that text can lose.
Python's cp1252 codec rejects the five bytes that 1252 leaves undefined,
while Windows passes them on as the C1 control with the same number, so
the table is written out here.
"""

# Bytes 0x80-0x9F that 1252 maps away from the C1 block.
CP1252_SPECIALS = {
    0x80: 0x20AC, 0x82: 0x201A, 0x83: 0x0192, 0x84: 0x201E, 0x85: 0x2026,
    0x86: 0x2020, 0x87: 0x2021, 0x88: 0x02C6, 0x89: 0x2030, 0x8A: 0x0160,
    0x8B: 0x2039, 0x8C: 0x0152, 0x8E: 0x017D, 0x91: 0x2018, 0x92: 0x2019,
    0x93: 0x201C, 0x94: 0x201D, 0x95: 0x2022, 0x96: 0x2013, 0x97: 0x2014,
    0x98: 0x02DC, 0x99: 0x2122, 0x9A: 0x0161, 0x9B: 0x203A, 0x9C: 0x0153,
    0x9E: 0x017E, 0x9F: 0x0178,
}

# Where a symbol font's codes lie.
PRIVATE_BASE = 0xF000


def SymbolCodePoint(code):
    """The code point by which the font is addressed for a code."""
    if not 0 <= code <= 0xFF:
        raise ValueError(f"not a byte: {code}")
    return PRIVATE_BASE + code


def Cp1252CodePoint(code):
    """The code point Windows-1252 gives a byte (C1 control if undefined)."""
    if not 0 <= code <= 0xFF:
        raise ValueError(f"not a byte: {code}")
    return CP1252_SPECIALS.get(code, code)


SOFT_HYPHEN = 0x00AD


def HiddenInText(code):
    """Whether a rich edit control that took the byte through code page 1252
    draws nothing for it.

    They keep the byte but give it no ink and no width: the soft hyphen,
    and the C1 controls that the bytes 1252 leaves undefined become.
    """
    point = Cp1252CodePoint(code)
    return 0x80 <= point <= 0x9F or point == SOFT_HYPHEN


HIDDEN_IN_TEXT = tuple(code for code in range(0x100) if HiddenInText(code))
