#pragma once
#include <string>
#include <vector>

#include "RichDocument.h"

namespace core {

// The paragraphs and runs of an RTF document, as far as printing needs
// them: fonts with their character sets, size, bold, italic, underline,
// strike-out; paragraph alignment, indents and bullets. Text comes as
// bytes in the run's font; a \u character that is a symbol font's code
// point (U+F000 + code, as a control that keeps UTF-16 writes glyph codes)
// comes as its code, any other takes its fallback text. Tables, pictures,
// fields' instructions and other destinations are left out. Never fails:
// whatever cannot be read is skipped.
std::vector<RichParagraph> ReadRtfParagraphs(const std::string& rtf);

}  // namespace core
