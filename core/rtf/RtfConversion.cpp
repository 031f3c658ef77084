#include "RtfConversion.h"

#include <cstdio>
#include <functional>

#include "CodePages.h"
#include "GlyphLetters.h"
#include "HtmlWriter.h"
#include "ReadingOrder.h"
#include "RtfTokenizer.h"
#include "TextLines.h"
#include "UnicodeToGlyph.h"

namespace core {

namespace {

// The face Persian text takes outside Dabiro: on every Windows since 2000.
const char UnicodePersianFace[] = "Tahoma";
// The face of what the glyph font cannot show, in text that names none.
const char OtherScriptFace[] = "Times New Roman";

ShownGlyph OtherCharacter(char32_t character) {
  ShownGlyph glyph;
  glyph.first = character;
  glyph.mirrored = Mirrored(character);
  glyph.bidi = BidiClassOf(character);
  return glyph;
}

bool IsArabicScript(char32_t character) {
  return (character >= 0x0600 && character < 0x0700) || (character >= 0xFB50 && character < 0xFF00);
}

// Runs of characters of one format, as writers want them.
template <typename Run>
void ForEachRun(const RtfParagraph& paragraph, Run run) {
  const auto& characters = paragraph.characters;
  for (std::size_t start = 0; start < characters.size();) {
    std::size_t end = start + 1;
    while (end < characters.size() && characters[end].format == characters[start].format) ++end;
    run(characters[start].format, start, end);
    start = end;
  }
}

void AppendRtfCharacter(char32_t character, std::string& rtf) {
  if (character == '\\' || character == '{' || character == '}') {
    rtf += '\\';
    rtf += static_cast<char>(character);
  } else if (character == '\t') {
    rtf += "\\tab ";
  } else if (character >= 0x20 && character < 0x80) {
    rtf += static_cast<char>(character);
  } else if (character < 0x10000) {
    rtf += "\\u" +
           std::to_string(character < 0x8000 ? static_cast<int>(character)
                                             : static_cast<int>(character) - 0x10000) +
           "?";
  } else {
    const char32_t value = character - 0x10000;
    AppendRtfCharacter(0xD800 + (value >> 10), rtf);
    AppendRtfCharacter(0xDC00 + (value & 0x3FF), rtf);
  }
}

const char* RtfAlignment(Alignment alignment) {
  switch (alignment) {
    case Alignment::Right:
      return "\\qr";
    case Alignment::Center:
      return "\\qc";
    case Alignment::Justify:
      return "\\qj";
    default:
      return "\\ql";
  }
}

std::string CharacterFormatRtf(const CharacterFormat& format, bool complexScript) {
  std::string rtf =
      "\\f" + std::to_string(format.face) + "\\fs" + std::to_string(format.halfPoints);
  if (format.bold) rtf += "\\b";
  if (format.italic) rtf += "\\i";
  if (format.underline) rtf += "\\ul";
  if (format.strikeOut) rtf += "\\strike";
  // Word takes right-to-left text's format from the complex-script words.
  if (complexScript) {
    rtf +=
        "\\rtlch\\af" + std::to_string(format.face) + "\\afs" + std::to_string(format.halfPoints);
    if (format.bold) rtf += "\\ab";
    if (format.italic) rtf += "\\ai";
  }
  return rtf;
}

// A face name for a quoted CSS string, where a quote or a backslash would
// end it.
std::u32string CssFaceName(const std::string& name) {
  std::u32string face;
  for (const char byte : name) {
    const char32_t character = Cp1252(static_cast<unsigned char>(byte));
    if (character == '\'' || character == '\\' || character < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\%x ", static_cast<unsigned>(character));
      face.append(escape, escape + std::char_traits<char>::length(escape));
    } else {
      face += character;
    }
  }
  return face;
}

std::string FontTable(const RtfDocument& document, const std::string& glyphEntry) {
  std::string table = "{\\fonttbl" + glyphEntry;
  for (std::size_t face = 1; face < document.faces.size(); ++face) {
    table += "{\\f" + std::to_string(face) + "\\fnil\\fcharset0 ";
    table += RtfEscapedBytes(document.faces[face].name) + ";}";
  }
  return table + "}\n";
}

}  // namespace

RtfDocument UnicodeDocument(const RtfDocument& glyphs, Unconvertibles& problems) {
  RtfDocument unicode;
  unicode.faces = glyphs.faces;
  std::vector<ShownGlyph> shown;
  std::vector<BidiClass> classes;
  std::vector<std::uint8_t> leftToRight;
  for (std::size_t number = 0; number < glyphs.paragraphs.size(); ++number) {
    const RtfParagraph& paragraph = glyphs.paragraphs[number];
    RtfParagraph& converted = unicode.paragraphs.emplace_back();
    converted.alignment = paragraph.alignment;
    converted.rightToLeft = paragraph.rightToLeft;
    if (!paragraph.rightToLeft) {
      converted.characters = paragraph.characters;
      continue;
    }
    shown.clear();
    for (std::size_t index = 0; index < paragraph.characters.size(); ++index) {
      const FormattedCharacter& character = paragraph.characters[index];
      shown.push_back(character.glyph ? GlyphOfCode(static_cast<unsigned char>(character.character))
                                      : OtherCharacter(character.character));
      if (character.glyph && !shown.back().first)
        problems.push_back({number + 1, index + 1, character.character, true});
    }
    ReadInReadingOrder(
        shown.size(), [&](std::size_t index) -> const ShownGlyph& { return shown[index]; }, classes,
        leftToRight,
        [&](std::size_t index, char32_t character) {
          converted.characters.push_back({character, false, paragraph.characters[index].format});
        });
  }
  return unicode;
}

namespace {

// What the glyph font cannot show but stands in a face of its own stays
// itself, in that face: only what was in the glyph font is a problem.
std::vector<bool> KeepUnwritable(const RtfParagraph& paragraph, std::size_t known,
                                 Unconvertibles& problems) {
  std::vector<bool> kept(paragraph.characters.size());
  std::size_t left = known;
  for (std::size_t index = known; index < problems.size(); ++index) {
    const std::size_t at = problems[index].column - 1;
    if (paragraph.characters[at].format.face != 0)
      kept[at] = true;
    else
      problems[left++] = problems[index];
  }
  problems.resize(left);
  return kept;
}

}  // namespace

RtfDocument GlyphDocument(const RtfDocument& unicode, Unconvertibles& problems) {
  RtfDocument glyphs;
  glyphs.faces = unicode.faces;
  UnicodeToGlyph encoder;
  std::u32string line;
  std::string codes;
  std::vector<std::size_t> sources;
  for (std::size_t number = 0; number < unicode.paragraphs.size(); ++number) {
    const RtfParagraph& paragraph = unicode.paragraphs[number];
    RtfParagraph& converted = glyphs.paragraphs.emplace_back();
    converted.alignment = paragraph.alignment;
    line.clear();
    bool persian = false;
    for (const FormattedCharacter& character : paragraph.characters) {
      line += character.character;
      // Text meant for the glyph font goes through the converter too.
      persian |=
          !character.glyph && (IsArabicScript(character.character) || character.format.face == 0);
    }
    converted.rightToLeft = persian;
    if (!persian) {
      converted.characters = paragraph.characters;
      continue;
    }
    codes.clear();
    sources.clear();
    const std::size_t known = problems.size();
    encoder.ConvertLine(line, number + 1, codes, problems, &sources);
    const std::vector<bool> kept = KeepUnwritable(paragraph, known, problems);
    // Persian goes into the glyph font; the rest keeps its face.
    for (std::size_t index = 0; index < codes.size(); ++index) {
      const FormattedCharacter& source = paragraph.characters[sources[index]];
      const auto code = static_cast<unsigned char>(codes[index]);
      if (kept[sources[index]]) {
        converted.characters.push_back(source);
      } else if (IsArabicScript(source.character) || source.glyph || source.format.face == 0) {
        CharacterFormat format = source.format;
        format.face = 0;
        converted.characters.push_back({code, true, format});
      } else {
        // The character the code shows, so that a bracket faces as it did.
        converted.characters.push_back({GlyphOfCode(code).first, false, source.format});
      }
    }
  }
  return glyphs;
}

bool IsUnicodePersian(const RtfDocument& document) {
  bool arabic = false;
  for (const RtfParagraph& paragraph : document.paragraphs)
    for (const FormattedCharacter& character : paragraph.characters) {
      if (character.glyph) return false;
      arabic |= IsArabicScript(character.character);
    }
  return arabic;
}

std::string UnicodeRtf(const RtfDocument& unicode) {
  std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff1\\uc1\n";
  rtf += FontTable(unicode, std::string("{\\f0\\fnil\\fcharset178 ") + UnicodePersianFace + ";}");
  for (const RtfParagraph& paragraph : unicode.paragraphs) {
    rtf += paragraph.rightToLeft ? "\\pard\\rtlpar" : "\\pard\\ltrpar";
    rtf += RtfAlignment(paragraph.alignment);
    ForEachRun(paragraph, [&](const CharacterFormat& format, std::size_t start, std::size_t end) {
      rtf += "{" + CharacterFormatRtf(format, paragraph.rightToLeft) + " ";
      for (std::size_t index = start; index < end; ++index)
        AppendRtfCharacter(paragraph.characters[index].character, rtf);
      rtf += "}";
    });
    rtf += "\\par\n";
  }
  return rtf + "}\n";
}

std::string GlyphRtf(const RtfDocument& glyphs) {
  std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\n";
  rtf += FontTable(glyphs, std::string("{\\f0\\fnil\\fcharset2 ") + GlyphFace + ";}");
  for (const RtfParagraph& paragraph : glyphs.paragraphs) {
    rtf += "\\pard";
    rtf += RtfAlignment(paragraph.alignment);
    ForEachRun(paragraph, [&](const CharacterFormat& format, std::size_t start, std::size_t end) {
      rtf += "{" + CharacterFormatRtf(format, false) + " ";
      for (std::size_t index = start; index < end; ++index) {
        const char32_t character = paragraph.characters[index].character;
        if (character >= 0x80 && character < 0x100 && paragraph.characters[index].glyph) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\'%02x", static_cast<unsigned>(character));
          rtf += escape;
        } else {
          AppendRtfCharacter(character, rtf);
        }
      }
      rtf += "}";
    });
    rtf += "\\par\n";
  }
  return rtf + "}\n";
}

std::string GlyphRtfOfText(std::string_view codes, CharacterFormat format) {
  format.face = 0;
  RtfDocument document;
  document.faces.push_back({GlyphFace});
  ForEachLine(
      codes.data(), codes.size(),
      [&](std::size_t start, std::size_t end, std::size_t) {
        RtfParagraph& paragraph = document.paragraphs.emplace_back();
        paragraph.rightToLeft = end > start;
        for (std::size_t index = start; index < end; ++index)
          paragraph.characters.push_back({static_cast<unsigned char>(codes[index]), true, format});
      },
      [](std::size_t, std::size_t) {});
  return GlyphRtf(document);
}

RtfDocument UnicodeTextDocument(std::u32string_view text, const CharacterFormat& format,
                                const std::function<bool(char32_t)>& systemHolds,
                                Unconvertibles& problems) {
  RtfDocument document;
  document.faces = {{GlyphFace}, {OtherScriptFace}};
  CharacterFormat inGlyphFont = format, inOtherFace = format;
  inGlyphFont.face = 0;
  inOtherFace.face = 1;
  const auto add = [&](RtfParagraph& paragraph, char32_t character) {
    const bool shown = character == '\t' || character == Zwnj || IsWrittenAsNothing(character) ||
                       LetterOfCharacter(character);
    if (shown) {
      paragraph.characters.push_back({character, false, inGlyphFont});
    } else if (systemHolds(character)) {
      paragraph.characters.push_back({character, false, inOtherFace});
    } else {
      problems.push_back(
          {document.paragraphs.size(), paragraph.characters.size() + 1, character, false});
      paragraph.characters.push_back({U'?', false, inGlyphFont});
    }
  };
  ForEachLine(
      text.data(), text.size(),
      [&](std::size_t start, std::size_t end, std::size_t) {
        RtfParagraph& paragraph = document.paragraphs.emplace_back();
        for (std::size_t index = start; index < end; ++index) add(paragraph, text[index]);
      },
      [](std::size_t, std::size_t) {});
  return document;
}

std::u32string TextOfDocument(const RtfDocument& document) {
  std::u32string text;
  for (std::size_t index = 0; index < document.paragraphs.size(); ++index) {
    if (index > 0) text += U"\r\n";
    for (const FormattedCharacter& character : document.paragraphs[index].characters)
      text += character.character;
  }
  return text;
}

std::string HtmlOfDocument(const RtfDocument& unicode) {
  std::string body;
  static const char* const alignments[] = {"left", "right", "center", "justify"};
  for (const RtfParagraph& paragraph : unicode.paragraphs) {
    body += "<p dir=\"";
    body += paragraph.rightToLeft ? "rtl" : "ltr";
    body += "\" style=\"text-align:";
    body += alignments[static_cast<int>(paragraph.alignment)];
    body += "\">";
    if (paragraph.characters.empty()) body += "<br>";
    ForEachRun(paragraph, [&](const CharacterFormat& format, std::size_t start, std::size_t end) {
      std::string style = "font-size:" + std::to_string(format.halfPoints / 2) +
                          (format.halfPoints % 2 ? ".5pt" : "pt");
      if (format.bold) style += ";font-weight:bold";
      if (format.italic) style += ";font-style:italic";
      if (format.underline) style += ";text-decoration:underline";
      if (format.strikeOut)
        style += format.underline ? " line-through" : ";text-decoration:line-through";
      if (format.face != 0) {
        const std::u32string face = CssFaceName(unicode.faces[format.face].name);
        std::string escaped;
        AppendHtmlText(face, escaped);
        style += ";font-family:'" + escaped + "'";
      }
      body += "<span style=\"" + style + "\">";
      std::u32string text;
      for (std::size_t index = start; index < end; ++index)
        text += paragraph.characters[index].character;
      AppendHtmlText(text, body);
      body += "</span>";
    });
    body += "</p>\n";
  }
  return HtmlPage(body);
}

}  // namespace core
