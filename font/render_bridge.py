#!/usr/bin/python3
"""Draws docs/unicode-bridge.png: lines of a Dabiro document as the editor
shows them, as another program shows the same bytes, and as Unicode text
from dabiro-convert that HarfBuzz shapes.

Usage: /usr/bin/python3 font/render_bridge.py --font DIR/pfontnt.ttf
           --convert PATH/dabiro-convert --docs docs
"""

import argparse
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from codepage import Cp1252CodePoint  # noqa: E402
from render_sample import NASKH, HbView, LineImages, Raw, Run, Stack, Titled, VisualForHarfBuzz  # noqa: E402

SERIF = "/usr/share/fonts/truetype/noto/NotoSerif-Regular.ttf"
# "I am going «home» in the year 1404", "peace", "they say".
UNICODE_LINES = ["می‌روم به «خانه» در سال ۱۴۰۴", "سلام", "می‌گویند"]


def Convert(program, command, data):
    return subprocess.run([program, command, "-", "-"], input=data, capture_output=True, check=True).stdout


def Column(work, name, title, images):
    column = os.path.join(work, name + "-lines.png")
    Stack(column, *images)
    return Titled(work, name + ".png", title, column)


def Render(font, program, output):
    glyphs = Convert(program, "from-unicode", "\r\n".join(UNICODE_LINES).encode("utf-8")).split(b"\r\n")
    back = Convert(program, "to-unicode", b"\r\n".join(glyphs)).decode("utf-8").split("\r\n")
    with tempfile.TemporaryDirectory() as work:
        shown, noise, unicode = (LineImages(work, prefix, len(glyphs)) for prefix in ("shown", "noise", "unicode"))
        for codes, text, images in zip(glyphs, back, zip(shown, noise, unicode)):
            Raw(font, codes, images[0], 40)
            HbView(SERIF, "".join(chr(Cp1252CodePoint(code)) for code in codes), images[1], 28,
                   "--direction=ltr", "--script=latn")
            HbView(NASKH, VisualForHarfBuzz(text), images[2], 40, "--direction=rtl", "--script=arab",
                   "--language=fa")
        Run("convert", Column(work, "a", "In Dabiro (glyph codes)", shown),
            Column(work, "b", "The same bytes elsewhere", noise),
            Column(work, "c", "dabiro-convert to-unicode, shaped by HarfBuzz", unicode),
            "-background", "white", "-splice", "24x0", "+append", "+repage", output)


def Main(arguments):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--font", required=True)
    parser.add_argument("--convert", required=True)
    parser.add_argument("--docs", required=True)
    options = parser.parse_args(arguments)
    Render(options.font, options.convert, os.path.join(options.docs, "unicode-bridge.png"))
    return 0


if __name__ == "__main__":
    sys.exit(Main(sys.argv[1:]))
