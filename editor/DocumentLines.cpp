#include "DocumentLines.h"

#include <algorithm>

#include "ControlStreams.h"
#include "GlyphText.h"
#include "RichEditControl.h"

namespace {

constexpr long FirstReach = 512;

bool IsBreak(char code) { return code == '\r' || code == '\n'; }

std::string CodesIn(const std::string& old, long begin, const std::vector<CHARRANGE>& pieces) {
  std::string codes;
  for (const CHARRANGE& piece : pieces)
    codes.append(old, static_cast<std::size_t>(piece.cpMin - begin),
                 static_cast<std::size_t>(piece.cpMax - piece.cpMin));
  return codes;
}

std::size_t Span(const core::LineChange& change) {
  return change.end - change.start + change.codes.size();
}

std::vector<CHARRANGE> Joined(const std::vector<CHARRANGE>& left,
                              const std::vector<CHARRANGE>& right) {
  std::vector<CHARRANGE> pieces = left;
  pieces.insert(pieces.end(), right.begin(), right.end());
  return pieces;
}

// RTF streamed into the selection takes the formats it does not write from
// where it is put, and the control writes only what differs from plain
// text: such RTF starts plain.
std::string StartingPlain(std::string rtf) {
  constexpr char Start[] = "{\\rtf1";
  if (rtf.compare(0, sizeof Start - 1, Start) == 0) rtf.insert(sizeof Start - 1, "\\plain");
  return rtf;
}

// Each piece's RTF, streamed one after the other into a hidden control.
void CopyPiecesInto(const RichEditControl& control, const std::vector<CHARRANGE>& pieces,
                    const RichEditControl& line) {
  long length = 0;
  for (const CHARRANGE& piece : pieces) {
    Select(control, piece.cpMin, piece.cpMax);
    const std::string rtf = StartingPlain(StreamOut(control, SF_RTF | SFF_SELECTION));
    Select(line, length, length);
    StreamIn(line, SF_RTF | SFF_SELECTION, rtf);
    length += piece.cpMax - piece.cpMin;
  }
}

}  // namespace

void ApplyJoin(const RichEditControl& control, long begin, const std::string& old,
               const core::LineChange& change, const std::vector<CHARRANGE>& firstKept,
               const std::vector<CHARRANGE>& lastKept) {
  const std::string joined = old.substr(0, change.start) + change.codes + old.substr(change.end);
  const std::vector<CHARRANGE> inOrder = Joined(firstKept, lastKept);
  if (!control.HasRichText() || inOrder.empty()) return ApplyLineChange(control, begin, change);
  // A Persian line's text goes on to its left: the last line's pieces
  // first. Whichever order the converter's line is nearer.
  const std::vector<CHARRANGE> swapped = Joined(lastKept, firstKept);
  const core::LineChange keptInOrder = core::ChangeBetween(CodesIn(old, begin, inOrder), joined);
  const core::LineChange keptSwapped = core::ChangeBetween(CodesIn(old, begin, swapped), joined);
  const bool swap = Span(keptSwapped) < Span(keptInOrder);
  const core::LineChange& seams = swap ? keptSwapped : keptInOrder;
  RichEditControl line("JoinedLine");
  line.Create(nullptr, 0, 0, 0, 0, 0);
  CopyPiecesInto(control, swap ? swapped : inOrder, line);
  if (Span(seams) > 0) {
    Select(line, static_cast<long>(seams.start), static_cast<long>(seams.end));
    InsertCodes(line, seams.codes);
  }
  Select(line, 0, static_cast<long>(joined.size()));
  const std::string rtf = StartingPlain(StreamOut(line, SF_RTF | SFF_SELECTION));
  Select(control, begin, begin + static_cast<long>(old.size()));
  StreamIn(control, SF_RTF | SFF_SELECTION, rtf);
  const long caret = begin + static_cast<long>(change.caret);
  Select(control, caret, caret);
}

// A range that reaches the end also streams out the paragraph mark the
// control keeps after the text, which is no character of it.
std::string CodesBetween(const RichEditControl& control, long from, long to, long& end) {
  Select(control, from, to);
  const CHARRANGE range = SelectionOf(control);
  std::string codes = CodesOf(control, true);
  codes.resize(std::min(codes.size(), static_cast<std::size_t>(range.cpMax - range.cpMin)));
  end = range.cpMax;
  return codes;
}

std::string CodesBetween(const RichEditControl& control, long from, long to) {
  long end = 0;
  return CodesBetween(control, from, to, end);
}

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
