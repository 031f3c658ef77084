#include "MainForm.h"

core::RunStyle TMainForm::PlainTextStyle() {
  core::RunStyle style;
  style.face = core::GlyphFace;
  style.charset = SYMBOL_CHARSET;
  // The text font's 27 pixels, in half points on this screen.
  HDC screen = GetDC(nullptr);
  style.halfPoints = MulDiv(27, 2 * 72, GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
  return style;
}

namespace {

// The store is never seen, the view lies over it: its frame, scroll bar and
// text are not drawn, which at start took as long as drawing the view.
bool PaintsUnseen(HWND store, UINT message) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    BeginPaint(store, &ps);
    EndPaint(store, &ps);
  }
  return message == WM_PAINT || message == WM_NCPAINT || message == WM_ERASEBKGND;
}

}  // namespace

// The view lies over the store and hears of every change of it; the wheel
// scrolls the view, which shows the text, and a selection the view holds
// takes what acts on it.
void TMainForm::WireReadingView() {
  ReadingView1.Create(Handle());
  RichEdit1.SetOnChanged(
      [this](RichEditControl::Change change) { ReadingView1.StoreChanged(change); });
  RichEdit1.SetRedirect([this](UINT message, WPARAM wParam, LPARAM lParam) {
    if (PaintsUnseen(RichEdit1.Handle(), message)) return true;
    if (message != WM_MOUSEWHEEL) return ReadingView1.TakeSelectionMessage(message, wParam, lParam);
    ReadingView1.ScrollLines(-static_cast<short>(HIWORD(wParam)) * 3 / WHEEL_DELTA);
    return true;
  });
}

// The Enter steering's End goes to the paragraph's stored end, where the
// store's own End takes it.
bool TMainForm::TakenByReadingView(WORD key, UINT shift) {
  if (key == VK_END && steeringEnds_ > 0) {
    --steeringEnds_;
    return false;
  }
  return ReadingView1.MoveKey(key, shift);
}
