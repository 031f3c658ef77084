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

// The view lies over the store and hears of every change of it; the wheel
// scrolls the view, which shows the text, and a selection the view holds
// takes what acts on it.
void TMainForm::WireReadingView() {
  ReadingView1.Create(Handle());
  RichEdit1.SetOnChanged(
      [this](RichEditControl::Change change) { ReadingView1.StoreChanged(change); });
  RichEdit1.SetRedirect([this](UINT message, WPARAM wParam, LPARAM lParam) {
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
