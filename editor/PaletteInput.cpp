// The glyph palette and the caret steering that makes text run right to
// left: after every written glyph or space the caret steps back to its
// left, by keystrokes that arrive after the current message.
#include "Application.h"
#include "Clipboard.h"
#include "MainForm.h"
#include "Palette.h"

namespace {

void PressKey(BYTE key) { keybd_event(key, 0, 0, 0); }
void ReleaseKey(BYTE key) { keybd_event(key, 0, KEYEVENTF_KEYUP, 0); }

// Steering keys of earlier presses may still wait in the input queue behind
// this press; written before them, the glyph would land on the wrong side.
void DeliverWaitingKeys(HWND text) {
  MSG msg;
  while (PeekMessageA(&msg, text, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
    winui::Application::Instance().Dispatch(msg);
}

}  // namespace

void TMainForm::FillPalette() {
  for (int row = 0; row < core::PaletteRows; ++row)
    for (int column = 0; column < core::PaletteColumns; ++column)
      StringGrid1.SetCell(column, row,
                          std::string(1, static_cast<char>(core::CellCode(column, row))));
}

void TMainForm::StringGrid1MouseDown(Component*, winui::MouseButton, UINT, int x, int y) {
  // The grid's own hit test: it knows how far the cells are scrolled.
  const POINT hit = StringGrid1.MouseToCell(x, y);
  const core::Cell cell{hit.x, hit.y};
  SetFocus(RichEdit1.Handle());
  // Off the cells (the blank strip beside and below them) nothing is written.
  if (!core::IsOnPalette(cell)) return;
  DeliverWaitingKeys(RichEdit1.Handle());
  const char code = static_cast<char>(core::CellCode(cell.column, cell.row));
  // Pasting a clipboard we could not replace would write some other text.
  if (ReplaceClipboardText(winui::Application::Instance().Handle(), std::string(1, code))) {
    RichEdit1.Send(WM_PASTE);
    SetFocus(RichEdit1.Handle());
    PressKey(VK_LEFT);
    ReleaseKey(VK_LEFT);
  }
  StringGrid1.SetSelection({cell.column, cell.row, cell.column, cell.row});
}

void TMainForm::RichEdit1KeyPress(Component*, char& key) {
  if (key != ' ') return;
  PressKey(VK_LEFT);
  ReleaseKey(VK_LEFT);
}

void TMainForm::RichEdit1KeyUp(Component*, WORD& key, UINT) {
  if (key != VK_RETURN) return;
  PressKey(VK_BACK);
  ReleaseKey(VK_BACK);
  PressKey(VK_END);
  ReleaseKey(VK_END);
  // No release: it would run this handler again.
  PressKey(VK_RETURN);
}
