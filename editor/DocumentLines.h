#pragma once
#include <windows.h>
#include <richedit.h>

#include <string>

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

// The selection, start and end.
CHARRANGE SelectionOf(const RichEditControl& control);
void Select(const RichEditControl& control, long from, long to);
