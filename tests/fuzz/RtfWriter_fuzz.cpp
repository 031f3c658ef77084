// Writes documents of any text, formats and face names as Unicode RTF, as
// the editor's glyph RTF and as HTML: the reader gets back from each RTF
// exactly the document written, and no face name or text steps outside its
// place in the HTML.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "AsciiText.h"
#include "RtfConversion.h"

namespace {

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

// As the reader tells faces apart; a face name cannot hold ';', which ends
// it, nor begin or end with a space, which the reader trims.
std::string Key(const std::string& name) { return core::LowerAscii(name); }

std::string FaceName(FuzzedDataProvider& data) {
  std::string name = data.ConsumeRandomLengthString(24);
  for (char& byte : name)
    if (byte == ';') byte = ':';
  const auto start = name.find_first_not_of(' ');
  if (start == std::string::npos) return "F";
  name = name.substr(start);
  while (name.back() == ' ') name.pop_back();
  return name;
}

char32_t AnyCharacter(FuzzedDataProvider& data) {
  switch (data.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return data.ConsumeIntegralInRange<char32_t>(0x20, 0x7F);
    case 1:
      return data.ConsumeIntegralInRange<char32_t>(0x600, 0x6FF);
    case 2:
      return data.ConsumeIntegralInRange<char32_t>(0, 0x10FFFF);
    default:
      return data.PickValueInArray({U'\t', U'\\', U'{', U'}', U'\u200C', U'\u200D', U'\u00AB'});
  }
}

// Glyph codes in the glyph font (face 0) where `glyphs`, Unicode elsewhere.
core::RtfDocument AnyDocument(FuzzedDataProvider& data, bool glyphs) {
  core::RtfDocument document;
  document.faces.push_back({core::GlyphFace});
  std::set<std::string> keys{Key(core::GlyphFace)};
  for (int count = data.ConsumeIntegralInRange(0, 5); count > 0; --count) {
    const std::string name = FaceName(data);
    if (keys.insert(Key(name)).second) document.faces.push_back({name});
  }
  for (int count = data.ConsumeIntegralInRange(0, 6); count > 0; --count) {
    core::RtfParagraph& paragraph = document.paragraphs.emplace_back();
    paragraph.alignment = static_cast<core::Alignment>(data.ConsumeIntegralInRange(0, 3));
    for (int length = data.ConsumeIntegralInRange(0, 40); length > 0; --length) {
      core::CharacterFormat format;
      format.bold = data.ConsumeBool();
      format.italic = data.ConsumeBool();
      format.underline = data.ConsumeBool();
      format.strikeOut = data.ConsumeBool();
      format.halfPoints = data.ConsumeIntegralInRange<std::uint16_t>(1, 3276);
      format.face = data.ConsumeIntegralInRange<std::uint16_t>(
          0, static_cast<std::uint16_t>(document.faces.size() - 1));
      const bool glyph = glyphs && format.face == 0;
      char32_t character = glyph ? data.ConsumeIntegral<std::uint8_t>() : AnyCharacter(data);
      if (character >= 0xD800 && character < 0xE000) character = 0xFFFD;  // not a character
      paragraph.characters.push_back({character, glyph, format});
      paragraph.rightToLeft |= glyph;
    }
  }
  return document;
}

bool SameFace(const std::string& a, const std::string& b) { return Key(a) == Key(b); }

void PrintBytes(const std::string& bytes) {
  for (const char byte : bytes) std::fprintf(stderr, "%02x ", byte & 0xFF);
  std::fputc('\n', stderr);
}

// The same character and format, its face read back by name.
void CheckCharacter(const core::FormattedCharacter& written, const std::string& writtenFace,
                    const core::FormattedCharacter& read, const std::string& readFace) {
  if (read.character != written.character || read.glyph != written.glyph)
    std::fprintf(stderr, "U+%04X (glyph %d) read as U+%04X (glyph %d)\n",
                 unsigned(written.character), written.glyph, unsigned(read.character), read.glyph);
  Require(read.character == written.character && read.glyph == written.glyph,
          "another character read");
  core::CharacterFormat format = read.format;
  format.face = written.format.face;
  Require(format == written.format, "another format read");
  if (!SameFace(writtenFace, readFace)) {
    PrintBytes(writtenFace);
    PrintBytes(readFace);
  }
  Require(SameFace(writtenFace, readFace), "another face read");
}

// The document read has the text written, in the same formats and faces
// by name: the written face 0 is `faceZero` in the RTF.
void CheckReadBack(const core::RtfDocument& written, const std::string& rtf, const char* faceZero) {
  const core::RtfDocument read = core::ReadRtf(rtf);
  Require(read.paragraphs.size() == written.paragraphs.size(), "another number of paragraphs read");
  for (std::size_t number = 0; number < written.paragraphs.size(); ++number) {
    const auto& before = written.paragraphs[number];
    const auto& after = read.paragraphs[number];
    Require(after.alignment == before.alignment, "another alignment read");
    Require(after.characters.size() == before.characters.size(),
            "another number of characters read");
    for (std::size_t index = 0; index < before.characters.size(); ++index) {
      const core::FormattedCharacter& a = before.characters[index];
      const core::FormattedCharacter& b = after.characters[index];
      CheckCharacter(a, a.format.face == 0 ? faceZero : written.faces[a.format.face].name, b,
                     read.faces[b.format.face].name);
    }
  }
}

// Every '<' opens one of the page's own tags, every '&' an entity, and
// every quoted attribute closes before its tag does.
void CheckHtml(const std::string& html) {
  for (std::size_t at = html.find('<'); at != std::string::npos; at = html.find('<', at + 1)) {
    const std::size_t end = html.find('>', at);
    Require(end != std::string::npos, "a tag not closed");
    const std::string tag = html.substr(at, end - at + 1);
    std::size_t quotes = 0;
    for (const char c : tag) quotes += c == '"';
    Require(quotes % 2 == 0 && tag.find('<', 1) == std::string::npos,
            "a tag broken by what it holds");
  }
  for (std::size_t at = html.find('&'); at != std::string::npos; at = html.find('&', at + 1))
    Require(html.find(';', at) <= at + 8, "an '&' that is no entity");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  const bool glyphs = data.ConsumeBool();
  const core::RtfDocument document = AnyDocument(data, glyphs);
  if (glyphs) {
    CheckReadBack(document, core::GlyphRtf(document), core::GlyphFace);
  } else {
    CheckReadBack(document, core::UnicodeRtf(document), "Tahoma");
    CheckHtml(core::HtmlOfDocument(document));
  }
  return 0;
}
