#pragma once
#include <string>
#include <tuple>
#include <vector>

#include "RtfDocument.h"  // Alignment

namespace core {

// A document as paragraphs of runs of one character format each: what
// printing needs of it to lay out pages like the screen.

struct RunStyle {
  std::string face;
  int charset = 0;      // a Windows character set, as in RTF's \fcharset
  int halfPoints = 24;  // as in RTF's \fs
  bool bold = false, italic = false, underline = false, strikeOut = false;

  auto Key() const {
    return std::tie(face, charset, halfPoints, bold, italic, underline, strikeOut);
  }
};

inline bool operator<(const RunStyle& a, const RunStyle& b) { return a.Key() < b.Key(); }
inline bool operator==(const RunStyle& a, const RunStyle& b) { return a.Key() == b.Key(); }

// Text as the run's font takes it: bytes, glyph codes in a symbol font.
struct TextRun {
  RunStyle style;
  std::string text;
};

struct RichParagraph {
  Alignment alignment = Alignment::Left;
  bool bullet = false;
  // Indents in twips, as in RTF's \li, \ri and \fi (the first line's,
  // from the left indent; negative to hang a bullet).
  int leftIndent = 0, rightIndent = 0, firstIndent = 0;
  // Never empty: an empty paragraph holds one empty run in the format of
  // its paragraph mark, which gives its line a height.
  std::vector<TextRun> runs;
};

}  // namespace core
