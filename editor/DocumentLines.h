#pragma once
#include <windows.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "LineTyping.h"

class RichEditControl;

// The document's paragraphs as lines of glyph codes, for the edits the
// converter decides. Positions are the control's character positions.

// The paragraph that holds `from`: where it starts, and its codes without
// the line break. Reads only as far around `from` as the paragraph goes.
struct DocumentLine {
  long start = 0;
  std::string codes;
  long End() const { return start + static_cast<long>(codes.size()); }
};
DocumentLine LineAt(const RichEditControl& control, long from);

// The change made in one step the control can undo, the caret then where
// the change puts it.
void ApplyLineChange(const RichEditControl& control, long lineStart,
                     const core::LineChange& change);

// Lines from `begin` on (their codes `old`, CR LF between them) made one
// by the change, which the converter decides: what is kept of the first
// line and of the last (ranges of the control, in stored order) keeps its
// formats, laid side by side in the order the change writes them, and
// only the codes whose forms change where they meet are written anew. One
// step the control can undo.
void ApplyJoin(const RichEditControl& control, long begin, const std::string& old,
               const core::LineChange& change, const std::vector<CHARRANGE>& firstKept,
               const std::vector<CHARRANGE>& lastKept);

// The codes of [from, to), as far as the text goes; `end` gets where they
// end. Leaves the range selected.
std::string CodesBetween(const RichEditControl& control, long from, long to, long& end);
std::string CodesBetween(const RichEditControl& control, long from, long to);

// The selection, start and end.
CHARRANGE SelectionOf(const RichEditControl& control);
void Select(const RichEditControl& control, long from, long to);
