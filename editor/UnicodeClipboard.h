#pragma once
#include <windows.h>

#include "RichEditControl.h"

// Unicode text from the clipboard written into a control as glyph codes in
// display order, or only its first line, for a one-line field; what cannot
// be written, or a clipboard without such text, is said.
void PasteUnicodeInto(HWND owner, const RichEditControl& target, bool firstLineOnly);
