#pragma once
#include <windows.h>

#include "RichEditControl.h"
#include "Unconvertible.h"

// Unicode text from the clipboard written into a control as glyph codes in
// display order, or only its first line, for a one-line field; what cannot
// be written, or a clipboard without such text, is said.
void PasteUnicodeInto(HWND owner, const RichEditControl& target, bool firstLineOnly);

// Says how many characters the font could not show were written as '?',
// and where the first is; nothing when there were none.
void ReportUnwritten(const core::Unconvertibles& problems);
