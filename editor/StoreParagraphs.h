#pragma once
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
