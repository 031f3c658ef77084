#pragma once
#include <string>
#include <vector>

#include "TextSearch.h"

class RichEditControl;

// Every match of a Replace All put in place in the control, in one step
// that Undo takes back: the changed document is a new window that takes
// the old one's place. A document with one format throughout is written
// anew with that format; any other is copied, and changed in the copy.
// `document` is the control's codes, `lines` what core::ReplaceEach made of
// them. The caret ends after the first replacement.
void ReplaceMatches(RichEditControl& control, const std::string& document,
                    const std::vector<core::LineReplacement>& lines);
