#pragma once
#include <string>

#include "ControlStorage.h"

// Glyph codes into and out of the document control, so that a code shows
// the same glyph and leaves as the same byte whatever the system's code
// page. A control that keeps bytes (rich edit 1.0) takes and gives the
// codes as they are; one that keeps UTF-16 gets them as the symbol font's
// code points (see GlyphStorage.h), never through the code page.

// A character that is no glyph code, as the system's code page writes it.
std::string ThroughCodePage(char16_t character);

// Asks an empty control whether it keeps UTF-16: streamed in as UTF-16, a
// symbol font character stays one character there, while a control that
// keeps bytes takes its two bytes for two characters, or nothing. Leaves
// the control empty and unmodified.
bool KeepsUtf16(ControlStorage control);

// Puts the codes in place of the selection, in the format at the selection.
void InsertCodes(ControlStorage control, const std::string& codes);

// The codes of the selection, or of the whole text; line breaks as CR LF.
// Text in other fonts comes as the code page gives it.
std::string CodesOf(ControlStorage control, bool selectionOnly = false);

// Whether the selection is set in a symbol font: typed and pasted text
// there is glyph codes.
bool SelectionTakesCodes(ControlStorage control);

// The clipboard exchange of a control that keeps UTF-16, which would hand
// codes through the code page: copying puts the selection on the clipboard
// as RTF and as its codes; pasting takes RTF as the control does, and text
// as codes where the selection is set in a symbol font. CopyCodes is false
// when another program holds the clipboard; PasteCodes is false when it
// leaves the paste to the control.
bool CopyCodes(ControlStorage control);
bool PasteCodes(ControlStorage control);
