#include "RichDocument.h"

#include "CodePages.h"
#include "ListNumber.h"
#include "UnicodeToGlyph.h"

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
  const auto color = static_cast<std::size_t>(format.color);
  style.color = format.color >= 0 && color < document.colors.size() ? document.colors[color] : 0;
  return style;
}

// Format characters that draw as nothing, where the code page lacks them.
bool IsInvisible(char32_t c) {
  return (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2060 && c <= 0x2064) || c == 0xFEFF;
}

class RunText {
 public:
  RunText(const RtfDocument& document, const ForeignBytes& foreign)
      : document_(document), foreign_(foreign) {}

  void Append(const FormattedCharacter& character, std::string& text) const {
    const char32_t c = character.character;
    const int charset = document_.faces[character.format.face].charset;
    int byte = -1;
    if (character.glyph)
      byte = static_cast<int>(c);
    else if (c == 0x2011)
      byte = '-';  // a non-breaking hyphen
    else if (c >= 0xF000 && c <= 0xF0FF)
      byte = static_cast<int>(c - 0xF000);  // a symbol font's code
    // Bytes were read in this code page: they go back as they came.
    else
      byte = ByteInCodePage(c, FontCodePage(charset, document_.codePage));
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

// The number in the style of the paragraph's first run of its own script.
TextRun NumberRun(const RichParagraph& paragraph, int number) {
  TextRun run{paragraph.runs.front().style, ""};
  for (const TextRun& text : paragraph.runs)
    if (text.style.Glyphs() == paragraph.rightToLeft) {
      run.style = text.style;
      break;
    }
  const std::u32string text = ListNumberText(paragraph.numbering, number, paragraph.rightToLeft);
  if (paragraph.rightToLeft) {
    Unconvertibles problems;
    run.text = UnicodeToGlyphs(text, problems);
  } else {
    for (const char32_t c : text) {
      const int byte = ByteInCodePage(c, 1252);
      run.text += static_cast<char>(byte < 0 ? '?' : byte);
    }
  }
  return run;
}

// Each numbered paragraph's number: one more than the paragraph before, if
// that had one of the same kind, else the list's start.
void Number(std::vector<RichParagraph>& paragraphs) {
  int number = 0;
  NumberKind previous = NumberKind::None;
  for (RichParagraph& paragraph : paragraphs) {
    const NumberKind kind = paragraph.numbering.kind;
    number = kind == previous ? number + 1 : paragraph.numbering.start;
    previous = paragraph.bullet ? NumberKind::None : kind;
    if (kind != NumberKind::None && !paragraph.bullet)
      paragraph.number = NumberRun(paragraph, number);
  }
}

}  // namespace

std::vector<RichParagraph> RichParagraphs(const RtfDocument& document,
                                          const ForeignBytes& foreign) {
  const RunText text(document, foreign);
  std::vector<RichParagraph> paragraphs;
  for (const RtfParagraph& source : document.paragraphs) {
    RichParagraph& paragraph = paragraphs.emplace_back();
    static_cast<ParagraphFormat&>(paragraph) = source;
    paragraph.rightToLeft = source.rightToLeft;
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
  Number(paragraphs);
  return paragraphs;
}

}  // namespace core
