#!/usr/bin/python3
"""Draws docs/keyboard-layout.png: the Persian standard layout as Dabiro
types it, each key with the glyph it writes (bottom left) and with Shift
(top right), drawn with the built glyph font from the codes dabiro-convert
writes for that character alone. What the font cannot write is drawn grey
in Noto Naskh Arabic; the small letter is the key on a US keyboard.

Usage: /usr/bin/python3 font/render_keyboard.py --font DIR/pfontnt.ttf
           --convert PATH/dabiro-convert --docs docs
"""

import argparse
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from render_sample import NASKH, HbView, Raw, Run  # noqa: E402

SANS = "/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf"
TABLE = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "tests", "data",
                     "isiri-9147.tsv")
KEY = 64
ROWS = (("E", 0), ("D", KEY * 3 // 2), ("C", KEY * 7 // 4), ("B", KEY * 9 // 4))
NAMES = {0x200C: "ZWNJ", 0x200D: "ZWJ", 0x20: ""}
# Writes no code of its own but the join it makes, drawn as Naskh draws it.
TATWEEL = 0x0640


def ReadTable():
    keys = {}
    with open(TABLE, encoding="utf-8") as table:
        for line in table:
            if line.startswith("#") or line.startswith("position"):
                continue
            position, us, base, shift = line.rstrip("\n").split("\t")
            keys[position] = (us, int(base, 16), int(shift, 16))
    return keys


def Glyph(program, font, character, output, size, work):
    """The character as the editor writes it, or grey where it cannot."""
    if character in NAMES:
        if NAMES[character]:
            Run("convert", "-background", "white", "-fill", "#555555", "-pointsize", "11",
                f"label:{NAMES[character]}", output)
        else:
            Run("convert", "-size", "1x1", "xc:white", output)
        return output
    if character == TATWEEL:
        HbView(NASKH, chr(character), output, size, "--margin=1", "--direction=rtl", "--script=arab")
        return output
    converted = subprocess.run([program, "from-unicode", "-", "-"], input=chr(character).encode("utf-8"),
                               capture_output=True)
    if converted.returncode == 0 and converted.stdout:
        Raw(font, converted.stdout, output, size, "--margin=1")
    else:
        arabic = 0x600 <= character < 0x700 or character >= 0xFB50
        HbView(NASKH if arabic else SANS, chr(character), output, size, "--foreground=#999999",
               "--margin=1", *(["--direction=rtl", "--script=arab"] if arabic else []))
    return output


def Tile(program, font, key, name, work, width=KEY):
    us, base, shift = key
    low = Glyph(program, font, base, os.path.join(work, name + "-base.png"), 30, work)
    high = Glyph(program, font, shift, os.path.join(work, name + "-shift.png"), 22, work)
    tile = os.path.join(work, name + ".png")
    label = us.upper() if us.strip() else "space"
    Run("convert", "-size", f"{width - 4}x{KEY - 4}", "xc:white", "-fill", "none", "-stroke", "#888888",
        "-draw", f"roundrectangle 0,0 {width - 5},{KEY - 5} 5,5", "-stroke", "none",
        low, "-gravity", "southwest", "-geometry", "+5+3", "-composite",
        high, "-gravity", "northeast", "-geometry", "+5+3", "-composite",
        "-gravity", "northwest", "-fill", "#3060c0", "-pointsize", "11", "-annotate", "+6+4", label,
        "-bordercolor", "white", "-border", "2", tile)
    return tile


def Render(program, font, output):
    keys = ReadTable()
    with tempfile.TemporaryDirectory() as work:
        rows = []
        for letter, indent in ROWS:
            positions = sorted(p for p in keys if p[0] == letter and p[1:].isdigit())
            if letter == "D":
                positions.append("BKSL")
            tiles = [Tile(program, font, keys[p], p, work) for p in positions]
            row = os.path.join(work, f"row{letter}.png")
            Run("convert", *tiles, "+append", "-background", "white", "-gravity", "east",
                "-splice", f"{indent}x0", row)
            rows.append(row)
        space = os.path.join(work, "rowSpace.png")
        Run("convert", Tile(program, font, keys["SPACE"], "SPACE", work, KEY * 6), "-background", "white",
            "-gravity", "east", "-splice", f"{KEY * 4}x0", space)
        Run("convert", *rows, space, "-background", "white", "-gravity", "west", "-append",
            "-bordercolor", "white", "-border", "10", output)


def Main(arguments):
    parser = argparse.ArgumentParser()
    parser.add_argument("--font", required=True)
    parser.add_argument("--convert", required=True)
    parser.add_argument("--docs", required=True)
    options = parser.parse_args(arguments)
    os.makedirs(options.docs, exist_ok=True)
    Render(options.convert, options.font, os.path.join(options.docs, "keyboard-layout.png"))


if __name__ == "__main__":
    Main(sys.argv[1:])
