#include "DocumentLines.h"

#include <algorithm>

#include "GlyphText.h"
#include "RichEditControl.h"

namespace {

constexpr long FirstReach = 512;

bool IsBreak(char code) { return code == '\r' || code == '\n'; }

// The codes of [from, to), as far as the text goes; `end` gets where they
// end. A range that reaches the end also streams out the paragraph mark
// the control keeps after the text, which is no character of it.
std::string CodesBetween(const RichEditControl& control, long from, long to, long& end) {
  Select(control, from, to);
  const CHARRANGE range = SelectionOf(control);
  std::string codes = CodesOf(control, true);
  codes.resize(std::min(codes.size(), static_cast<std::size_t>(range.cpMax - range.cpMin)));
  end = range.cpMax;
  return codes;
}

}  // namespace

CHARRANGE SelectionOf(const RichEditControl& control) {
  CHARRANGE range{};
  control.Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range;
}

void Select(const RichEditControl& control, long from, long to) {
  CHARRANGE range{from, to};
  control.Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

// Reads further each time until both ends of the paragraph are in sight.
DocumentLine LineAt(const RichEditControl& control, long from) {
  for (long reach = FirstReach;; reach *= 2) {
    const long start = std::max(0L, from - reach);
    long end = 0;
    const std::string codes = CodesBetween(control, start, from + reach, end);
    const std::size_t at = std::min(codes.size(), static_cast<std::size_t>(from - start));
    std::size_t lineStart = at;
    while (lineStart > 0 && !IsBreak(codes[lineStart - 1])) --lineStart;
    std::size_t lineEnd = at;
    while (lineEnd < codes.size() && !IsBreak(codes[lineEnd])) ++lineEnd;
    const bool startSeen = lineStart > 0 || start == 0;
    const bool endSeen = lineEnd < codes.size() || end < from + reach;
    if (startSeen && endSeen)
      return {start + static_cast<long>(lineStart), codes.substr(lineStart, lineEnd - lineStart)};
  }
}

void ApplyLineChange(const RichEditControl& control, long lineStart,
                     const core::LineChange& change) {
  if (change.start != change.end || !change.codes.empty()) {
    Select(control, lineStart + static_cast<long>(change.start),
           lineStart + static_cast<long>(change.end));
    InsertCodes(control, change.codes);
  }
  const long caret = lineStart + static_cast<long>(change.caret);
  Select(control, caret, caret);
}
