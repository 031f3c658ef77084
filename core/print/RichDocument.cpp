#include "RichDocument.h"

#include "CodePages.h"

namespace core {

namespace {

RunStyle StyleOf(const RtfDocument& document, const CharacterFormat& format) {
  const RtfFace& face = document.faces[format.face];
  RunStyle style;
  style.face = face.name;
  style.charset = face.charset < 0 ? 0 : face.charset;
  style.halfPoints = format.halfPoints;
  style.bold = format.bold;
  style.italic = format.italic;
  style.underline = format.underline;
  style.strikeOut = format.strikeOut;
  return style;
}

// Format characters that draw as nothing, where the code page lacks them.
bool IsInvisible(char32_t c) {
  return (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) || (c >= 0x2060 && c <= 0x2064) ||
         c == 0xFEFF;
}

class RunText {
 public:
  RunText(const RtfDocument& document, const ForeignBytes& foreign) : document_(document), foreign_(foreign) {}

  void Append(const FormattedCharacter& character, std::string& text) const {
    const char32_t c = character.character;
    const int charset = document_.faces[character.format.face].charset;
    int byte = -1;
    if (character.glyph) byte = static_cast<int>(c);
    else if (c == '\t') byte = ' ';
    else if (c == 0x2011) byte = '-';  // a non-breaking hyphen
    else if (c >= 0xF000 && c <= 0xF0FF) byte = static_cast<int>(c - 0xF000);  // a symbol font's code
    // Bytes were read in this code page: they go back as they came.
    else byte = ByteInCodePage(c, FontCodePage(charset, document_.codePage));
    if (byte >= 0) return void(text += static_cast<char>(byte));
    if (IsInvisible(c)) return;
    const int codePage = CodePageOfCharset(charset);
    const std::string bytes = foreign_ && codePage ? foreign_(c, codePage) : std::string();
    // Else one mark for each UTF-16 unit, as an RTF writer's \u fallbacks go.
    text += bytes.empty() ? std::string(c >= 0x10000 ? 2 : 1, '?') : bytes;
  }

 private:
  const RtfDocument& document_;
  const ForeignBytes& foreign_;
};

}  // namespace

std::vector<RichParagraph> RichParagraphs(const RtfDocument& document, const ForeignBytes& foreign) {
  const RunText text(document, foreign);
  std::vector<RichParagraph> paragraphs;
  for (const RtfParagraph& source : document.paragraphs) {
    RichParagraph& paragraph = paragraphs.emplace_back();
    static_cast<ParagraphFormat&>(paragraph) = source;
    const CharacterFormat* format = nullptr;
    for (const FormattedCharacter& character : source.characters) {
      if (!format || character.format != *format) {
        format = &character.format;
        paragraph.runs.push_back({StyleOf(document, *format), ""});
      }
      text.Append(character, paragraph.runs.back().text);
    }
    if (paragraph.runs.empty()) paragraph.runs.push_back({StyleOf(document, source.mark), ""});
  }
  return paragraphs;
}

}  // namespace core
