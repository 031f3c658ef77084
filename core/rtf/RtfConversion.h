#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "RtfDocument.h"
#include "Unconvertible.h"

namespace core {

// A document's Persian paragraphs turned from glyph codes in display order
// into Unicode in reading order, each character keeping its format;
// paragraphs without glyph text stay as they are. Problems count lines as
// paragraphs.
RtfDocument UnicodeDocument(const RtfDocument& glyphs, Unconvertibles& problems);

// The reverse: each paragraph with Arabic script in it becomes glyph codes
// in the glyph font, in display order. What the font cannot show stays
// itself in its own face; only text in the glyph font can be a problem.
RtfDocument GlyphDocument(const RtfDocument& unicode, Unconvertibles& problems);

// A Unicode text as a document, each line a paragraph in the format given:
// what the glyph font shows in the glyph font, what it cannot show but the
// system holds in a face of its own, anything else as '?' (a problem).
RtfDocument UnicodeTextDocument(std::u32string_view text, const CharacterFormat& format,
                                const std::function<bool(char32_t)>& systemHolds,
                                Unconvertibles& problems);

// A document's text, its paragraphs ended by CR LF (the last by nothing).
std::u32string TextOfDocument(const RtfDocument& document);

// A document is Unicode Persian when none of its text is in the glyph
// font and some of it is Arabic script.
bool IsUnicodePersian(const RtfDocument& document);

// A Unicode document as RTF: \uN, right-to-left paragraphs for Persian,
// the glyph font's text in a font that has Persian.
std::string UnicodeRtf(const RtfDocument& unicode);

// A glyph document as RTF the editor opens: its codes as \'xx in the glyph
// font, marked as a symbol font.
std::string GlyphRtf(const RtfDocument& glyphs);

// Plain glyph codes as the editor's RTF, each line a paragraph, all of
// them in the glyph font in the format given.
std::string GlyphRtfOfText(std::string_view codes, CharacterFormat format = {});

// A Unicode document as a right-to-left HTML page with the same formatting.
std::string HtmlOfDocument(const RtfDocument& unicode);

}  // namespace core
