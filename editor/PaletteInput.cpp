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
  std::vector<std::string> cells;
  for (int row = 0; row < core::PaletteRows; ++row)
    for (int column = 0; column < core::PaletteColumns; ++column)
      cells.emplace_back(1, static_cast<char>(core::CellCode(column, row)));
  StringGrid1.SetCells(std::move(cells));
}

void TMainForm::StringGrid1MouseDown(Component*, winui::MouseButton, UINT, int x, int y) {
  // The grid's own hit test: it knows how far the cells are scrolled.
  const POINT hit = StringGrid1.MouseToCell(x, y);
  const core::Cell cell{hit.x, hit.y};
  SetFocus(RichEdit1.Handle());
  // Off the cells (the blank strip beside and below them) nothing is written.
  if (!core::IsOnPalette(cell)) return;
  if (WriteCell(cell)) {
    SetFocus(RichEdit1.Handle());
    PressKey(VK_LEFT);
    ReleaseKey(VK_LEFT);
  }
  StringGrid1.SetSelection({cell.column, cell.row, cell.column, cell.row});
}

// Writing from the keyboard: the focus stays on the palette, so the caret
// steps left by the text's own handling of the key, sent to it directly;
// through the input queue the key would move the palette's selection.
void TMainForm::StringGrid1KeyDown(Component*, WORD& key, UINT) {
  if (key == VK_SPACE || key == VK_RETURN) {
    const POINT current = StringGrid1.CurrentCell();
    if (WriteCell({current.x, current.y})) {
      RichEdit1.Send(WM_KEYDOWN, VK_LEFT, 1);
      RichEdit1.Send(WM_KEYUP, VK_LEFT, 0xC0000001);
    }
    key = 0;
  } else if (key == VK_ESCAPE) {
    SetFocus(RichEdit1.Handle());
    key = 0;
  }
}

bool TMainForm::WriteCell(core::Cell cell) {
  DeliverWaitingKeys(RichEdit1.Handle());
  const char code = static_cast<char>(core::CellCode(cell.column, cell.row));
  // Pasting a clipboard we could not replace would write some other text.
  // Said on the status line: a box at every press would be in the way.
  if (!ReplaceClipboardText(winui::Application::Instance().Handle(), std::string(1, code))) {
    ShowStatus(ClipboardWriteFailure("written") + ".");
    return false;
  }
  RichEdit1.Send(WM_PASTE);
  return true;
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
  ++steeringEnds_;
  PressKey(VK_END);
  ReleaseKey(VK_END);
  // No release: it would run this handler again.
  PressKey(VK_RETURN);
}
