#include "StoredUnicode.h"

#include "GlyphStorage.h"
#include "RtfConversion.h"
#include "TextLines.h"
#include "UnicodeToGlyph.h"
#include "Utf.h"

namespace core {

std::u16string UnicodeFromStored(std::u16string_view stored, Unconvertibles& problems) {
  RtfDocument document;
  ForEachLine(
      stored.data(), stored.size(),
      [&](std::size_t start, std::size_t end, std::size_t) {
        RtfParagraph& paragraph = document.paragraphs.emplace_back();
        for (std::size_t index = start; index < end; ++index) {
          unsigned char code = 0;
          const bool glyph = CodeFromStored(stored[index], code);
          paragraph.characters.push_back({glyph ? code : char32_t{stored[index]}, glyph, {}});
          paragraph.rightToLeft |= glyph;
        }
      },
      [](std::size_t, std::size_t) {});
  std::u16string unicode;
  const RtfDocument converted = UnicodeDocument(document, problems);
  for (std::size_t index = 0; index < converted.paragraphs.size(); ++index) {
    if (index > 0) unicode += u"\r\n";
    for (const FormattedCharacter& character : converted.paragraphs[index].characters)
      AppendUtf16(character.character, unicode);
  }
  return unicode;
}

std::u16string StoredFromUnicode(std::u16string_view unicode, Unconvertibles& problems) {
  std::u32string text;
  text.reserve(unicode.size());
  for (std::size_t index = 0; index < unicode.size(); ++index) {
    const char32_t unit = unicode[index];
    const bool paired = unit >= 0xD800 && unit < 0xDC00 && index + 1 < unicode.size() &&
                        unicode[index + 1] >= 0xDC00 && unicode[index + 1] <= 0xDFFF;
    if (paired) text += 0x10000 + ((unit - 0xD800) << 10) + (unicode[++index] - 0xDC00);
    // An unpaired surrogate is a character the font cannot show either.
    else text += unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit;
  }
  std::string codes;
  UnicodeToGlyph().Convert(text, codes, problems);
  std::u16string stored;
  bool afterCr = false;
  for (const char code : codes) {
    // One CR ends a paragraph, whatever the line break was.
    if (code == '\n' && afterCr) continue;
    afterCr = code == '\r';
    stored += code == '\n' ? u'\r' : StoredFromCode(static_cast<unsigned char>(code));
  }
  return stored;
}

}  // namespace core
