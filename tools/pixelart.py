#!/usr/bin/python3
"""Turn the text pixel art in editor/art into BMP and ICO files and art.rc.

An art file holds, one per line (blank lines and lines starting with '#'
are skipped):

    kind toolbar | glyph | icon
    id IDB_NAME              optional; IDB_<NAME> (IDI_<NAME> for icons)
    disabled                 toolbar only: also write <name>_disabled.bmp
    background RRGGBB        optional: the colour transparent pixels get
    C RRGGBB                 a palette entry: one character, one colour
    C transparent            the character for transparent pixels
    image W H                followed by H rows of W palette characters

Transparent pixels become the background colour: button-face grey C0C0C0
for toolbar pictures, olive 808000 for glyphs, so a colour key draws them;
no opaque pixel may have that colour. A glyph is written with its
generated disabled image to its right, as glyph buttons expect, and its
bottom-left pixel must be transparent. An icon gets an AND mask instead.
Every colour must be one of the 16 classic VGA colours.
"""

import argparse
import os
import re
import struct
import sys

VGA_COLOURS = [
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
    0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF,
    0x00FFFF, 0xFFFFFF,
]
SHADOW = 0x808080
HIGHLIGHT = 0xFFFFFF
KIND_SIZES = {
    "toolbar": [(20, 20)],
    "glyph": [(18, 18)],
    "icon": [(32, 32), (16, 16)],
}
DEFAULT_BACKGROUND = {"toolbar": 0xC0C0C0, "glyph": 0x808000, "icon": None}


class ArtError(Exception):
    """A fault in an art file, reported with its file and line."""


class Art:
    def __init__(self, path):
        self.path = path
        self.name = os.path.splitext(os.path.basename(path))[0]
        self.kind = None
        self.resourceId = None
        self.disabled = False
        self.background = None
        self.palette = {}  # char -> colour, None for transparent
        self.images = []  # lists of rows of colours (None = transparent)

    def Id(self):
        prefix = "IDI_" if self.kind == "icon" else "IDB_"
        return self.resourceId or prefix + self.name.upper()

    def DisabledId(self):
        return self.Id() + "_DISABLED"


def ParseColour(text, where):
    if not re.fullmatch(r"[0-9A-Fa-f]{6}", text):
        raise ArtError(f"{where}: '{text}' is not a colour RRGGBB")
    colour = int(text, 16)
    if colour not in VGA_COLOURS:
        raise ArtError(f"{where}: {text} is not one of the 16 VGA colours")
    return colour


def ReadArt(path):
    try:
        with open(path, encoding="ascii") as stream:
            lines = stream.read().splitlines()
    except UnicodeDecodeError:
        raise ArtError(f"{path}: not plain ASCII text") from None
    art = Art(path)
    index = 0
    while index < len(lines):
        where = f"{path}:{index + 1}"
        words = lines[index].split()
        index += 1
        if not words or words[0].startswith("#"):
            continue
        if words[0] == "image":
            index = ReadImage(art, lines, index, words, where)
        else:
            ReadSetting(art, words, where)
    CheckArt(art)
    return art


def ReadSetting(art, words, where):
    key, values = words[0], words[1:]
    if key != "disabled" and key not in ("kind", "id", "background") \
            and len(key) != 1:
        raise ArtError(f"{where}: unknown setting '{key}' "
                       "(or an image row too many)")
    if len(values) != (0 if key == "disabled" else 1):
        raise ArtError(f"{where}: wrong number of values for '{key}'")
    if key == "disabled":
        art.disabled = True
    elif key == "kind":
        if values[0] not in KIND_SIZES:
            raise ArtError(f"{where}: unknown kind '{values[0]}'")
        art.kind = values[0]
    elif key == "id":
        art.resourceId = values[0]
    elif key == "background":
        art.background = ParseColour(values[0], where)
    elif key in art.palette:
        raise ArtError(f"{where}: '{key}' is defined twice")
    elif values[0] == "transparent":
        art.palette[key] = None
    else:
        art.palette[key] = ParseColour(values[0], where)


def ReadImage(art, lines, index, words, where):
    if len(words) != 3 or not words[1].isdigit() or not words[2].isdigit():
        raise ArtError(f"{where}: expected 'image WIDTH HEIGHT'")
    width, height = int(words[1]), int(words[2])
    if index + height > len(lines):
        raise ArtError(f"{where}: the image needs {height} rows")
    rows = []
    for rowNumber in range(index, index + height):
        rows.append(ReadRow(art, lines[rowNumber].rstrip(), width,
                            f"{art.path}:{rowNumber + 1}"))
    art.images.append(rows)
    return index + height


def ReadRow(art, text, width, where):
    if len(text) != width:
        raise ArtError(f"{where}: row is {len(text)} pixels wide, "
                       f"the image {width}")
    for char in text:
        if char not in art.palette:
            raise ArtError(f"{where}: '{char}' is not in the palette")
    return [art.palette[char] for char in text]


def CheckArt(art):
    if art.kind is None:
        raise ArtError(f"{art.path}: no 'kind' given")
    sizes = [(len(image[0]) if image else 0, len(image))
             for image in art.images]
    if sizes != KIND_SIZES[art.kind]:
        raise ArtError(f"{art.path}: a {art.kind} needs images of "
                       f"{KIND_SIZES[art.kind]}, found {sizes}")
    if art.disabled and art.kind != "toolbar":
        raise ArtError(f"{art.path}: only toolbar pictures take 'disabled'")
    if art.background is None:
        art.background = DEFAULT_BACKGROUND[art.kind]
    usedColours = set(art.palette.values())
    if art.disabled or art.kind == "glyph":
        usedColours |= {SHADOW, HIGHLIGHT}
    if art.background is not None and art.background in usedColours:
        raise ArtError(f"{art.path}: background {art.background:06X} is "
                       "also an opaque colour, so it could not be keyed out")
    if art.kind == "glyph" and art.images[0][-1][0] is not None:
        raise ArtError(f"{art.path}: the bottom-left pixel of a glyph must "
                       "be transparent")


def IsDark(colour):
    red, green, blue = colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF
    return 299 * red + 587 * green + 114 * blue < 144000


def Silhouette(image):
    """The shape Windows embosses for a disabled image: it reduces the
    picture to black and white, so dark colours (dark grey and darker) form
    the shape and light ones (white, yellow, cyan, lime, light grey) fall
    away like the background."""
    return [[colour is not None and IsDark(colour) for colour in row]
            for row in image]


def Disabled(image):
    """A highlight copy one pixel down and right, the shadow on top."""
    shape = Silhouette(image)
    height, width = len(image), len(image[0])
    result = [[None] * width for _ in range(height)]
    for y in range(height - 1):
        for x in range(width - 1):
            if shape[y][x]:
                result[y + 1][x + 1] = HIGHLIGHT
    for y in range(height):
        for x in range(width):
            if shape[y][x]:
                result[y][x] = SHADOW
    return result


def SideBySide(left, right):
    return [a + b for a, b in zip(left, right)]


def Filled(image, background):
    return [[background if c is None else c for c in row] for row in image]


def PaddedRow(data):
    return data + b"\0" * (-len(data) % 4)


def BmpBytes(image):
    """A 24-bit bottom-up BMP; every pixel must be opaque."""
    height, width = len(image), len(image[0])
    pixels = b"".join(
        PaddedRow(b"".join(struct.pack("<BBB", c & 0xFF, (c >> 8) & 0xFF,
                                       c >> 16) for c in row))
        for row in reversed(image))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0,
                         len(pixels), 2835, 2835, 0, 0)
    fileHeader = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels),
                             0, 0, 14 + len(header))
    return fileHeader + header + pixels


def IconImageBytes(image):
    """One 16-colour icon image: header, VGA palette, colour bits, AND mask."""
    height, width = len(image), len(image[0])
    colourRows, maskRows = [], []
    for row in reversed(image):
        indices = [0 if c is None else VGA_COLOURS.index(c) for c in row]
        colourRows.append(PaddedRow(bytes(
            (indices[x] << 4) | (indices[x + 1] if x + 1 < width else 0)
            for x in range(0, width, 2))))
        maskBits = "".join("1" if c is None else "0" for c in row)
        maskBits += "0" * (-width % 8)
        maskRows.append(PaddedRow(bytes(
            int(maskBits[x:x + 8], 2) for x in range(0, len(maskBits), 8))))
    bits = b"".join(colourRows) + b"".join(maskRows)
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 4, 0,
                         len(bits), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", c & 0xFF, (c >> 8) & 0xFF,
                                   c >> 16, 0) for c in VGA_COLOURS)
    return header + palette + bits


def IcoBytes(images):
    datas = [IconImageBytes(image) for image in images]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    for image, data in zip(images, datas):
        directory += struct.pack("<BBBBHHII", len(image[0]) % 256,
                                 len(image) % 256, 16, 0, 1, 4, len(data),
                                 offset)
        offset += len(data)
    return directory + b"".join(datas)


def ArtOutputs(art):
    """(resource type, id, file name, bytes) of every file one art makes."""
    if art.kind == "icon":
        return [("ICON", art.Id(), art.name + ".ico", IcoBytes(art.images))]
    image = art.images[0]
    if art.kind == "glyph":
        image = SideBySide(image, Disabled(image))
    outputs = [("BITMAP", art.Id(), art.name + ".bmp",
                BmpBytes(Filled(image, art.background)))]
    if art.disabled:
        outputs.append(("BITMAP", art.DisabledId(), art.name + "_disabled.bmp",
                        BmpBytes(Filled(Disabled(image), art.background))))
    return outputs


def ReadIds(path):
    """The header's resource ids by name; two names may not share a number."""
    with open(path, encoding="ascii") as stream:
        pairs = re.findall(r"^\s*#define\s+(ID[BI]_\w+)\s+(\d+)",
                           stream.read(), re.MULTILINE)
    numbers = [int(number) for _, number in pairs]
    if len(set(numbers)) != len(numbers):
        raise ArtError(f"{path}: two ids share one number")
    return {name for name, _ in pairs}


def CheckIds(outputs, idsPath):
    defined = ReadIds(idsPath)
    used = [output[1] for output in outputs]
    missing = sorted(set(used) - defined)
    unused = sorted(defined - set(used))
    if missing:
        raise ArtError(f"{idsPath}: no #define for {', '.join(missing)}")
    if unused:
        raise ArtError(f"{idsPath}: no picture for {', '.join(unused)}")
    if len(set(used)) != len(used):
        raise ArtError("two pictures share one resource id")


def ResourceScript(outputs, idsName):
    lines = ["// Generated by tools/pixelart.py from editor/art; do not edit.",
             f'#include "{idsName}"', ""]
    iconsFirst = sorted(outputs, key=lambda output: output[0] != "ICON")
    lines += [f'{resId} {resType} "{fileName}"'
              for resType, resId, fileName, _ in iconsFirst]
    return "\n".join(lines) + "\n"


def Plan(artPaths, idsPath):
    """Every file to write as (name, bytes), after all checks passed."""
    arts = [ReadArt(path) for path in artPaths]
    outputs = [output for art in arts for output in ArtOutputs(art)]
    CheckIds(outputs, idsPath)
    idsName = os.path.basename(idsPath)
    with open(idsPath, "rb") as stream:
        files = [(idsName, stream.read())]
    files += [(fileName, data) for _, _, fileName, data in outputs]
    files.append(("art.rc", ResourceScript(outputs, idsName).encode("ascii")))
    return files


def Convert(artPaths, outDir, idsPath):
    files = Plan(artPaths, idsPath)
    os.makedirs(outDir, exist_ok=True)
    for fileName, data in files:
        with open(os.path.join(outDir, fileName), "wb") as stream:
            stream.write(data)


def Main(arguments):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True, help="output folder")
    parser.add_argument("--list", action="store_true",
                        help="only check the art and print the file names "
                        "that would be written to the output folder")
    parser.add_argument("--ids", help="the resource id header "
                        "(default: ArtIds.h beside the first art file)")
    parser.add_argument("art", nargs="+", help="art files")
    options = parser.parse_args(arguments)
    idsPath = options.ids or os.path.join(
        os.path.dirname(options.art[0]), "ArtIds.h")
    try:
        if options.list:
            for fileName, _ in Plan(options.art, idsPath):
                print(os.path.join(options.out, fileName))
        else:
            Convert(options.art, options.out, idsPath)
    except (ArtError, OSError) as error:
        print(f"pixelart: error: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(Main(sys.argv[1:]))
