#pragma once
#include <string>
#include <string_view>

#include "Unconvertible.h"

namespace core {

// The bridge between the editor's text control and Unicode, for copying
// and pasting Unicode text. The control keeps glyph codes as GlyphStorage
// says (U+F000 + code, codes below 0x80 as themselves), each paragraph in
// display order and ended by a CR; any other character is text in another
// face and is kept as it is.

// The control's text as Unicode in reading order, paragraphs separated by
// CR LF (as CF_UNICODETEXT wants).
std::u16string UnicodeFromStored(std::u16string_view stored, Unconvertibles& problems);

// Unicode text (any line breaks) as characters to put into the control:
// glyph codes in display order, each line a paragraph ended by a CR but the
// last. What the font cannot show becomes '?' and is listed in problems.
std::u16string StoredFromUnicode(std::u16string_view unicode, Unconvertibles& problems);

}  // namespace core
