#!/usr/bin/python3
"""Renders the font's palette and sample lines for docs/.

Usage: /usr/bin/python3 font/render_sample.py --font FILE --docs DIR

font-sample.png: every palette code with its number, then the sample lines
as the editor stores them (display order, one glyph per byte) at the
text's 27 pixels with whole-pixel advances, as Windows sets them, and the
same magnified threefold so each pixel of a join can be seen.
font-compare.png: the sample lines in this font (left) and the same text
shaped by HarfBuzz in Noto Naskh Arabic (right).
Needs hb-view (libharfbuzz-bin) and ImageMagick.
"""

import argparse
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from codepage import SymbolCodePoint  # noqa: E402
from encode import Encoder, IsDigit  # noqa: E402
from layout import PALETTE_CODES, ReadLayout  # noqa: E402

NASKH = "/usr/share/fonts/truetype/noto/NotoNaskhArabic-Regular.ttf"
SAMPLE_LINES = (
    "در کلاس ما، بچه‌ها فارسی را زیبا و روان می‌نویسند.",
    "پژوهشگر جوان با ظرافت صفحه‌های ضخیم را ورق زد.",
    "آیا «غزل» شماره ۱۴ را خواندی؟",
    "عطر چای، ذهن ثابت و طبع شاعر را تازه می‌کند.",
)
TEXT_PIXELS = 27
# Hinting switched on without the autohinter: FreeType then rounds each
# advance to whole pixels as GDI does, and leaves the outlines alone.
WHOLE_PIXEL_ADVANCES = ["--font-funcs=ft", "--ft-load-flags=32768"]


def Run(*command):
    subprocess.run(command, check=True)


def HbView(font, text, output, size, *options):
    Run("hb-view", f"--font-file={font}", f"--font-size={size}", f"--text={text}",
        f"--output-file={output}", *options)


def Raw(font, codes, output, size, *options):
    """Codes set left to right with no shaping, as GDI sets 8-bit text."""
    text = "".join(chr(SymbolCodePoint(code)) for code in codes)
    HbView(font, text, output, size, "--direction=ltr", "--script=latn",
           "--preserve-default-ignorables", *options)


def PaletteSheet(font, work):
    """One labelled tile per code, in the palette's rows and columns."""
    tiles = []
    for code in PALETTE_CODES:
        tile = os.path.join(work, f"cell{code}.png")
        HbView(font, chr(SymbolCodePoint(code)), tile, 44, "--direction=ltr", "--script=latn",
               "--margin=4")
        tiles += ["-label", str(code), tile]
    sheet = os.path.join(work, "palette.png")
    Run("montage", *tiles, "-tile", "16x6", "-geometry", "76x64+2+2", "-pointsize", "11", sheet)
    return sheet


def VisualForHarfBuzz(line):
    """The logical line with digit runs turned round.

    hb-view shapes one right-to-left run and does no bidi reordering, so
    without this it would show numbers backwards."""
    out, run = [], []
    for char in line + "\0":
        if IsDigit(ord(char)):
            run.append(char)
            continue
        out.extend(reversed(run))
        run = []
        out.append(char)
    return "".join(out[:-1])


def Stack(output, *images, gravity="east"):
    Run("convert", *images, "-background", "white", "-gravity", gravity, "-append", "+repage", output)


def Caption(text, output):
    Run("convert", "-background", "white", "-pointsize", "18", f"label:{text}", output)
    return output


def Titled(work, name, title, *images):
    output = os.path.join(work, name)
    Stack(output, Caption(title, output + ".title.png"), *images, gravity="west")
    return output


def LineImages(work, prefix, count):
    return [os.path.join(work, f"{prefix}{index}.png") for index in range(count)]


def SampleSheet(font, encoded, work, output):
    lines = LineImages(work, "line", len(encoded))
    for codes, image in zip(encoded, lines):
        Raw(font, codes, image, TEXT_PIXELS, f"--font-ppem={TEXT_PIXELS}", *WHOLE_PIXEL_ADVANCES)
    text = os.path.join(work, "text.png")
    Stack(text, *lines)
    magnified = os.path.join(work, "magnified.png")
    Run("convert", text, "-scale", "300%", magnified)
    Stack(output,
          Titled(work, "p.png", "Palette: codes 128-191 and 224-255", PaletteSheet(font, work)),
          Titled(work, "t.png", "Sample lines as stored, one glyph per byte, 27 px", text),
          Titled(work, "m.png", "The same, magnified 3x", magnified), gravity="west")


def CompareSheet(font, encoded, work, output):
    ours, theirs = LineImages(work, "ours", len(encoded)), LineImages(work, "naskh", len(encoded))
    for codes, line, mine, reference in zip(encoded, SAMPLE_LINES, ours, theirs):
        Raw(font, codes, mine, 40)
        HbView(NASKH, VisualForHarfBuzz(line), reference, 40, "--direction=rtl",
               "--script=arab", "--language=fa")
    left, right = os.path.join(work, "ours.png"), os.path.join(work, "naskh.png")
    Stack(left, *ours)
    Stack(right, *theirs)
    Run("convert", Titled(work, "left.png", "Persian: the stored bytes, no shaping", left),
        Titled(work, "right.png", "Noto Naskh Arabic shaped by HarfBuzz", right),
        "-background", "white", "-splice", "24x0", "+append", "+repage", output)


def Render(font, docs):
    encoder = Encoder(ReadLayout())
    encoded = [encoder.Encode(line) for line in SAMPLE_LINES]
    os.makedirs(docs, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        SampleSheet(font, encoded, work, os.path.join(docs, "font-sample.png"))
        CompareSheet(font, encoded, work, os.path.join(docs, "font-compare.png"))


def Main(arguments):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--font", required=True)
    parser.add_argument("--docs", required=True)
    options = parser.parse_args(arguments)
    Render(options.font, options.docs)
    return 0


if __name__ == "__main__":
    sys.exit(Main(sys.argv[1:]))
