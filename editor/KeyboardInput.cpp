// Persian from the keyboard: each key gives the character the Persian
// standard layout puts at its position, and the converter chooses its form
// and its neighbours' forms, as from-unicode writes the text. Latin, the
// mode at start, leaves every key to the control.
#include "EditorTexts.h"
#include "MainForm.h"

namespace {

bool IsKeyboardSwitchKey(WPARAM key) { return key == VK_SHIFT || key == VK_MENU; }

}  // namespace

void TMainForm::KeyboardPersian(Component*) { SetKeyboard(true); }

void TMainForm::KeyboardLatin(Component*) { SetKeyboard(false); }

void TMainForm::SetKeyboard(bool persian) {
  persianKeyboard_ = persian;
  CheckMenuRadioItem(MainMenu, KeyboardPersianItem.Id(), KeyboardLatinItem.Id(),
                     persian ? KeyboardPersianItem.Id() : KeyboardLatinItem.Id(), MF_BYCOMMAND);
  ShowStatus(persian ? texts::PersianKeyboard : texts::LatinKeyboard);
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
  if (TakenByReadingView(key, shift)) {
    key = 0;
    return;
  }
  if (!persianKeyboard_ || !typing_.KeyDown(key, shift, scanCode)) return;
  key = 0;
  SelectionChange(&RichEdit1);
}
