#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// A paragraph's alignment, for every reader of RTF (printing lays out
// justified text as left-aligned).
enum class Alignment : std::uint8_t { Left, Right, Center, Justify };

// What of an RTF document survives its conversion: paragraphs with their
// alignment, and characters with bold, italic, underline, size and face.

struct CharacterFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  std::uint16_t halfPoints = 24;
  std::uint16_t face = 0;  // index into RtfDocument::faces

  bool operator==(const CharacterFormat& other) const {
    return bold == other.bold && italic == other.italic && underline == other.underline &&
           halfPoints == other.halfPoints && face == other.face;
  }
  bool operator!=(const CharacterFormat& other) const { return !(*this == other); }
};

struct FormattedCharacter {
  char32_t character;  // a glyph code where `glyph`, else Unicode
  bool glyph;
  CharacterFormat format;
};

struct RtfParagraph {
  Alignment alignment = Alignment::Left;
  bool rightToLeft = false;  // holds Persian
  std::vector<FormattedCharacter> characters;
};

struct RtfDocument {
  std::vector<std::string> faces;  // the first is always the glyph font's
  std::vector<RtfParagraph> paragraphs;
};

extern const char GlyphFace[];  // "Persian"

// Reads an RTF document. Text set in the glyph font is taken as glyph codes
// (bytes, or the U+F000 + code the text control writes); text in any other
// face as the \uN it gives, or as bytes of the Arabic code page in a font of
// the Arabic character set, of the Western one in a Western font, and of the
// document's \ansicpg (1256 or else 1252) in any other. Throws core::Exception for
// what is not RTF or goes beyond what the editor's reader takes.
RtfDocument ReadRtf(std::string_view rtf);

}  // namespace core
