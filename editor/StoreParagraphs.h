#pragma once
#include <windows.h>

#include <vector>

#include "RichDocument.h"

class RichEditControl;

// The document's paragraphs as the reading view lays them out, one for
// each of the control's lines (it never wraps, so a line is a paragraph),
// with the character where each begins in the control.
struct StoreParagraphs {
  std::vector<core::RichParagraph> paragraphs;
  std::vector<long> starts;
};

// A plain edit keeps no formats: its text is read in `plainStyle`.
StoreParagraphs ReadStoreParagraphs(const RichEditControl& control,
                                    const core::RunStyle& plainStyle);

// Where each of the control's lines begins.
std::vector<long> LineStarts(const RichEditControl& control);

// The `count` paragraphs from `first` on, read with the control's selection
// over them and then put back (from anchor to caret). False where they
// cannot be read alone: where they do not come out as that many, or a
// list's number counts on from paragraphs before them.
bool ReadParagraphRange(const RichEditControl& control, std::size_t first, std::size_t count,
                        const core::RunStyle& plainStyle, long anchor, long caret,
                        std::vector<core::RichParagraph>& paragraphs);

// The selection moved over paragraphs and back without the events its
// moves would send (the toolbar follows the selection the person made),
// and without redrawing: Wine's control scrolls its long lines to each
// selection, several milliseconds a move.
class SelectionMovedAside {
 public:
  // Put back from anchor to caret at the end.
  SelectionMovedAside(const RichEditControl& control, long anchor, long caret);
  ~SelectionMovedAside();
  SelectionMovedAside(const SelectionMovedAside&) = delete;
  SelectionMovedAside& operator=(const SelectionMovedAside&) = delete;

 private:
  const RichEditControl& control_;
  long anchor_, caret_;
  LRESULT events_;
};
