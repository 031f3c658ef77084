#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// A paragraph's alignment, for every reader of RTF (printing lays out
// justified text as left-aligned).
enum class Alignment : std::uint8_t { Left, Right, Center, Justify };

// What of an RTF document conversion and printing use: paragraphs with
// their alignment, indents, tab stops, bullet or numbering, and characters
// with bold, italic, underline, strike-out, size, colour and face.

struct CharacterFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::uint16_t halfPoints = 24;
  std::uint16_t face = 0;   // index into RtfDocument::faces
  std::int16_t color = -1;  // index into RtfDocument::colors; -1 for the automatic one

  bool operator==(const CharacterFormat& other) const {
    return bold == other.bold && italic == other.italic && underline == other.underline &&
           strikeOut == other.strikeOut && halfPoints == other.halfPoints && face == other.face &&
           color == other.color;
  }
  bool operator!=(const CharacterFormat& other) const { return !(*this == other); }
};

struct FormattedCharacter {
  char32_t character;  // a glyph code where `glyph`, else Unicode
  bool glyph;
  CharacterFormat format;
};

// A numbered paragraph's number, as RTF's \pn group gives it: its kind
// (\pndec, \pnlcltr, ...), the number of a list's first paragraph
// (\pnstart) and the text before and after it (\pntxtb, \pntxta).
enum class NumberKind : std::uint8_t {
  None,
  Decimal,
  LowerLetter,
  UpperLetter,
  LowerRoman,
  UpperRoman
};
struct Numbering {
  NumberKind kind = NumberKind::None;
  int start = 1;
  std::string before, after;
};

struct ParagraphFormat {
  Alignment alignment = Alignment::Left;
  bool bullet = false;
  Numbering numbering;
  // Indents in twips, as in RTF's \li, \ri and \fi (the first line's,
  // from the left indent; negative to hang a bullet).
  int leftIndent = 0, rightIndent = 0, firstIndent = 0;
  std::vector<int> tabStops;  // in twips from the margin, as RTF's \tx, in the order given
};

struct RtfParagraph : ParagraphFormat {
  bool rightToLeft = false;  // holds Persian
  std::vector<FormattedCharacter> characters;
  CharacterFormat mark;  // the paragraph mark's: an empty line's height
};

struct RtfFace {
  std::string name;
  int charset = -1;  // its \fcharset; -1 where none is given
};

struct RtfDocument {
  std::vector<RtfFace> faces;  // the first is always the glyph font's (as a symbol font)
  std::vector<RtfParagraph> paragraphs;
  std::vector<std::uint32_t> colors;  // \colortbl's, as 0x00BBGGRR; the automatic one black
  int codePage = 1252;                // \ansicpg, where it is 1256; else 1252
};

// The glyph font's face, for every part of the programs.
inline constexpr char GlyphFace[] = "Persian";

// Reads an RTF document. Text set in the glyph font is taken as glyph codes
// (bytes, or the U+F000 + code the text control writes); text in any other
// face as the \uN it gives, or as bytes of the Arabic code page in a font of
// the Arabic character set, of the Western one in a Western font, and of the
// document's \ansicpg (1256 or else 1252) in any other. Throws core::Exception for
// what is not RTF or goes beyond what the editor's reader takes.
RtfDocument ReadRtf(std::string_view rtf);

// The code page of a font's bytes: that of its character set where it is
// the Arabic or the Western one, else the document's.
int FontCodePage(int charset, int documentCodePage);

}  // namespace core
