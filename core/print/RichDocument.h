#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "RtfDocument.h"

namespace core {

// A document as printing lays it out: paragraphs of runs of one format each,
// their text as bytes in the run's font.

struct RunStyle {
  std::string face;
  int charset = 0;      // a Windows character set, as in RTF's \fcharset
  int halfPoints = 24;  // as in RTF's \fs
  bool bold = false, italic = false, underline = false, strikeOut = false;
  std::uint32_t color = 0;  // 0x00BBGGRR, as Windows keeps a colour

  auto Key() const {
    return std::tie(face, charset, halfPoints, bold, italic, underline, strikeOut, color);
  }
  bool Glyphs() const { return face == GlyphFace; }
};

inline bool operator<(const RunStyle& a, const RunStyle& b) { return a.Key() < b.Key(); }
inline bool operator==(const RunStyle& a, const RunStyle& b) { return a.Key() == b.Key(); }

// Text as the run's font takes it: glyph codes in the glyph font, bytes of
// the font's code page in any other.
struct TextRun {
  RunStyle style;
  std::string text;
};

struct RichParagraph : ParagraphFormat {
  bool rightToLeft = false;  // holds glyph text, which reads from the right
  // Never empty: an empty paragraph holds one empty run in the format of
  // its paragraph mark, which gives its line a height.
  std::vector<TextRun> runs;
  // A numbered paragraph's number as it prints (glyph codes in a Persian
  // paragraph); its text is empty where there is none.
  TextRun number;
};

// The bytes of a character in a Windows code page; empty where it has none.
using ForeignBytes = std::function<std::string(char32_t character, int codePage)>;

// A table's cell is a tab. Numbers count on from the list's start over
// the numbered paragraphs that follow one another. Text is taken back to the code
// page its bytes were read in; a character that has none there is asked of
// `foreign` in the code page of its font's character set, and else prints
// as a question mark.
std::vector<RichParagraph> RichParagraphs(const RtfDocument& document,
                                          const ForeignBytes& foreign = {});

}  // namespace core
