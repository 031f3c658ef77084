#include "PersianTyping.h"

#include <richedit.h>

#include <cstdio>

#include "EditorTexts.h"
#include "GlyphLetters.h"
#include "PersianKeyboard.h"
#include "RichEditControl.h"
#include "TextFormat.h"

namespace {

// The line break between paragraphs, as the control keeps it.
constexpr long BreakLength = 2;

std::string NotWrittenText(char32_t character) {
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
  std::string text = code;
  if (const char* name = core::UnwritableKeyName(character)) text += std::string(" (") + name + ")";
  return core::FormatWith(texts::CannotBeWritten, text);
}

}  // namespace

bool PersianTyping::KeyDown(WORD key, UINT shift, UINT scanCode) {
  // A plain edit, without the rich edit library, takes no glyph codes.
  if (!control_.HasRichText() || (shift & MK_CONTROL) || GetKeyState(VK_MENU) < 0) return false;
  if ((key == VK_BACK || key == VK_DELETE) && !(shift & MK_SHIFT)) {
    Step([&] { Erase(key == VK_BACK); });
  } else if (key == VK_RETURN && lines_) {
    Step([&] { NewLineBelow(); });
  } else if (const char32_t character =
                 core::PersianKeyCharacter(scanCode, (shift & MK_SHIFT) != 0)) {
    Step([&] { Type(character); });
  } else {
    return false;
  }
  return true;
}

void PersianTyping::Write(std::u32string_view text) {
  Step([&] {
    for (const char32_t character : text) {
      if (character == '\n' && lines_)
        NewLineBelow();
      else if (core::CanBeTyped(character))
        Type(character);
    }
  });
}

// The selection moves about while a step works: the control's parent is
// not told of each move.
void PersianTyping::Step(const std::function<void()>& step) {
  control_.ReportSelectionChanges(false);
  try {
    step();
  } catch (...) {
    control_.ReportSelectionChanges(true);
    throw;
  }
  control_.ReportSelectionChanges(true);
}

bool PersianTyping::LineOfSelection(DocumentLine& line, core::LineSelection& selection) const {
  const CHARRANGE range = SelectionOf(control_);
  line = LineAt(control_, range.cpMin);
  if (range.cpMax > line.End()) return false;
  selection = {static_cast<std::size_t>(range.cpMin - line.start),
               static_cast<std::size_t>(range.cpMax - line.start)};
  return true;
}

void PersianTyping::Type(char32_t character) {
  if (!core::CanBeTyped(character)) {
    MessageBeep(MB_OK);
    if (say_) say_(NotWrittenText(character));
    return;
  }
  if (control_.ReadOnly()) return MessageBeep(MB_OK), void();
  DocumentLine line;
  core::LineSelection selection;
  // A selection over line breaks goes first, as the control deletes it.
  if (!LineOfSelection(line, selection)) {
    control_.Send(WM_CLEAR);
    LineOfSelection(line, selection);
  }
  std::u32string typed(1, character);
  if (held_.HeldAt(line, selection)) typed.insert(typed.begin(), held_.character);
  held_ = {};
  const core::LineChange change = core::TypeIntoLine(line.codes, selection, typed);
  if (core::CarriesJoin(character) && change.start == change.end && change.codes.empty())
    held_ = {character, line, selection};
  ApplyLineChange(control_, line.start, change);  // the caret back, at least
}

void PersianTyping::Erase(bool before) {
  held_ = {};
  if (control_.ReadOnly()) return;
  DocumentLine line;
  core::LineSelection selection;
  if (!LineOfSelection(line, selection)) return control_.Send(WM_CLEAR), void();
  if (const auto change = core::EraseInLine(line.codes, selection, before))
    return ApplyLineChange(control_, line.start, *change);
  // Nothing left on that side in the line: the line break goes, and the
  // two lines read on as one.
  if (before && line.start >= BreakLength) {
    const DocumentLine previous = LineAt(control_, line.start - BreakLength);
    if (previous.End() == line.start - BreakLength) JoinLines(previous, line);
  } else if (!before) {
    const DocumentLine next = LineAt(control_, line.End() + BreakLength);
    if (next.start == line.End() + BreakLength) JoinLines(line, next);
  }
}

void PersianTyping::JoinLines(const DocumentLine& first, const DocumentLine& second) {
  ApplyJoin(control_, first.start, first.codes + "\r\n" + second.codes,
            core::JoinLines(first.codes, second.codes), {{first.start, first.End()}},
            {{second.start, second.End()}});
}

// Enter leaves the line whole and opens an empty one below it, wherever
// the caret stands in it.
void PersianTyping::NewLineBelow() {
  const DocumentLine line = LineAt(control_, SelectionOf(control_).cpMax);
  Select(control_, line.End(), line.End());
  control_.Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("\r\n"));
}
