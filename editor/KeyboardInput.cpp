// Persian from the keyboard: each key gives the character the Persian
// standard layout puts at its position, and the converter chooses its form
// and its neighbours' forms, as from-unicode writes the text. Latin, the
// mode at start, leaves every key to the control.
#include <richedit.h>

#include <cstdio>

#include "DocumentLines.h"
#include "GlyphLetters.h"
#include "MainForm.h"
#include "PersianKeyboard.h"

namespace {

// The line break between paragraphs, as the control keeps it.
constexpr long BreakLength = 2;

std::string NotWrittenText(char32_t character) {
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
  std::string text = code;
  if (const char* name = core::UnwritableKeyName(character)) text += std::string(" (") + name + ")";
  if (core::IsWrittenAsNothing(character))
    return text + " writes nothing: the letters take their forms themselves";
  return text + " cannot be written with the font Persian";
}

bool IsKeyboardSwitchKey(WPARAM key) { return key == VK_SHIFT || key == VK_MENU; }

}  // namespace

void TMainForm::KeyboardPersian(Component*) { SetKeyboard(true); }

void TMainForm::KeyboardLatin(Component*) { SetKeyboard(false); }

void TMainForm::SetKeyboard(bool persian) {
  persianKeyboard_ = persian;
  typist_.Forget();
  CheckMenuRadioItem(MainMenu, KeyboardPersianItem.Id(), KeyboardLatinItem.Id(),
                     persian ? KeyboardPersianItem.Id() : KeyboardLatinItem.Id(), MF_BYCOMMAND);
  ShowStatus(persian ? "Persian keyboard" : "Latin keyboard");
}

// Alt+Shift, the keys Windows switches input languages with: the one held
// when the other goes down, released before any other key goes down.
bool TMainForm::SwitchesKeyboard(const MSG& msg) {
  if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return false;
  const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  const bool up = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
  if (down) {
    const bool repeated = (msg.lParam & (1L << 30)) != 0;
    if (!IsKeyboardSwitchKey(msg.wParam)) {
      keyboardSwitchArmed_ = false;
    } else if (!repeated) {
      const int other = msg.wParam == VK_SHIFT ? VK_MENU : VK_SHIFT;
      keyboardSwitchArmed_ = GetKeyState(other) < 0 && GetKeyState(VK_CONTROL) >= 0;
    }
    return false;
  }
  if (!up || !IsKeyboardSwitchKey(msg.wParam) || !keyboardSwitchArmed_) return false;
  keyboardSwitchArmed_ = false;
  SetKeyboard(!persianKeyboard_);
  // Released last, Alt would go on to open the menu bar.
  return msg.wParam == VK_MENU;
}

void TMainForm::RichEdit1KeyDown(Component*, WORD& key, UINT shift, UINT scanCode) {
  // A plain edit, without the rich edit library, takes no glyph codes.
  if (!persianKeyboard_ || !RichEdit1.HasRichText() || (shift & MK_CONTROL) ||
      GetKeyState(VK_MENU) < 0)
    return;
  if ((key == VK_BACK || key == VK_DELETE) && !(shift & MK_SHIFT)) {
    const bool before = key == VK_BACK;
    key = 0;
    TypingStep([&] { ErasePersian(before); });
  } else if (key == VK_RETURN) {
    key = 0;
    TypingStep([&] { NewLineBelow(); });
  } else if (const char32_t character =
                 core::PersianKeyCharacter(scanCode, (shift & MK_SHIFT) != 0)) {
    key = 0;
    TypingStep([&] { TypePersian(character); });
  }
}

// The selection moves about while a step works: the toolbar follows the
// caret once, when the step is done.
void TMainForm::TypingStep(const std::function<void()>& step) {
  RichEdit1.ReportSelectionChanges(false);
  try {
    step();
  } catch (...) {
    RichEdit1.ReportSelectionChanges(true);
    throw;
  }
  RichEdit1.ReportSelectionChanges(true);
  SelectionChange(&RichEdit1);
}

bool TMainForm::LineOfSelection(DocumentLine& line, core::LineSelection& selection) const {
  const CHARRANGE range = SelectionOf(RichEdit1);
  line = LineAt(RichEdit1, range.cpMin);
  if (range.cpMax > line.End()) return false;
  selection = {static_cast<std::size_t>(range.cpMin - line.start),
               static_cast<std::size_t>(range.cpMax - line.start)};
  return true;
}

void TMainForm::TypePersian(char32_t character) {
  if (!core::CanBeTyped(character)) {
    MessageBeep(MB_OK);
    ShowStatus(NotWrittenText(character));
    return;
  }
  if (RichEdit1.ReadOnly()) return MessageBeep(MB_OK), void();
  DocumentLine line;
  core::LineSelection selection;
  // A selection over line breaks goes first, as the control deletes it.
  if (!LineOfSelection(line, selection)) {
    RichEdit1.Send(WM_CLEAR);
    LineOfSelection(line, selection);
  }
  if (line.start + static_cast<long>(selection.from) != typedAt_ || selection.from != selection.to)
    typist_.Forget();
  const core::LineChange change = typist_.Type(line.codes, selection, character);
  ApplyLineChange(RichEdit1, line.start, change);
  typedAt_ = line.start + static_cast<long>(change.caret);
}

void TMainForm::ErasePersian(bool before) {
  typist_.Forget();
  if (RichEdit1.ReadOnly()) return;
  DocumentLine line;
  core::LineSelection selection;
  if (!LineOfSelection(line, selection)) return RichEdit1.Send(WM_CLEAR), void();
  if (const auto change = core::EraseInLine(line.codes, selection, before))
    return ApplyLineChange(RichEdit1, line.start, *change);
  // Nothing left on that side in the line: the line break goes, and the
  // two lines read on as one.
  if (before && line.start >= BreakLength) {
    const DocumentLine previous = LineAt(RichEdit1, line.start - BreakLength);
    if (previous.End() == line.start - BreakLength)
      ApplyLineChange(RichEdit1, previous.start, core::JoinLines(previous.codes, line.codes));
  } else if (!before) {
    const DocumentLine next = LineAt(RichEdit1, line.End() + BreakLength);
    if (next.start == line.End() + BreakLength)
      ApplyLineChange(RichEdit1, line.start, core::JoinLines(line.codes, next.codes));
  }
}

// Enter leaves the line whole and opens an empty one below it, wherever
// the caret stands in it.
void TMainForm::NewLineBelow() {
  typist_.Forget();
  const DocumentLine line = LineAt(RichEdit1, SelectionOf(RichEdit1).cpMax);
  Select(RichEdit1, line.End(), line.End());
  RichEdit1.Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("\r\n"));
}
