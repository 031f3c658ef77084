#pragma once
#include <windows.h>

#include "RtfDocument.h"

// The glyph font: a symbol font, so that GDI maps its 8-bit codes to glyphs
// without the system's code page, on every code page alike.
using core::GlyphFace;

// The glyph font at a character height in pixels. Made again after a font
// change, it asks for a TrueType font, which it is: Wine hands out what it
// made of an equal description before, even a stand-in for a missing font.
HFONT CreateGlyphFont(int height, bool afterFontChange = false);

// After a font change: makes sure this program sees the glyph font when the
// installer has put it in the font folder. Windows shares the fonts a
// program adds with every program; Wine keeps a list per program, so there
// the editor loads the installed file itself.
void TakeInstalledGlyphFont();
