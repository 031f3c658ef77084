#include "SpeedButton.h"

#include "TransparentPicture.h"

namespace winui {

namespace {
constexpr char ClassName[] = "DabiroSpeedButton";
// The pictures' background, drawn transparent.
constexpr COLORREF PictureBackground = RGB(192, 192, 192);

// Kept as the resource's own bits: converting each to the screen's format
// took four times as long under Wine (for the fourteen of the toolbar about
// 3 ms of the start), and they draw alike.
HBITMAP LoadPicture(int id) {
  if (!id) return nullptr;
  return static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}
}  // namespace

void SpeedButton::Create(HWND parent, int left, int top, int groupIndex, SpeedButtonGroup* group) {
  groupIndex_ = groupIndex;
  group_ = group;
  if (group_) group_->push_back(this);
  RegisterClassFor(ClassName, 0, nullptr);
  Window::Create(ClassName, "", WS_CHILD | WS_VISIBLE, 0, left, top, Size, Size, parent);
}

void SpeedButton::SetPictures(int pictureId, int disabledPictureId) {
  picture_ = LoadPicture(pictureId);
  disabledPicture_ = nullptr;
  disabledPictureId_ = disabledPictureId;
  Repaint();
}

void SpeedButton::SetDown(bool down) {
  if (groupIndex_ == 0 || down == down_) return;
  down_ = down;
  if (down_ && group_) {
    for (SpeedButton* other : *group_)
      if (other != this && other->groupIndex_ == groupIndex_) other->SetDown(false);
  }
  Repaint();
}

// A hidden button is drawn whole when it shows: the window server is not
// asked before (at start-up, before the window shows, for every button).
void SpeedButton::Repaint() {
  if (Handle() && IsWindowVisible(Handle())) InvalidateRect(Handle(), nullptr, FALSE);
}

void SpeedButton::Click() {
  if (groupIndex_ != 0) SetDown(!down_);
  if (onClick_) onClick_(this);
}

LRESULT SpeedButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      press_.Begin(Handle());
      return 0;
    case WM_MOUSEMOVE:
      press_.Follow(Handle(), lParam);
      return 0;
    case WM_LBUTTONUP:
      if (press_.Release(Handle(), lParam)) Click();
      return 0;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      press_.End(Handle(), message);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      return PaintWindow(Handle(), [this](HDC dc, const RECT&) { Paint(dc); });
    case WM_ENABLE:
      Repaint();
      return 0;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

void SpeedButton::Paint(HDC dc) {
  RECT rc;
  GetClientRect(Handle(), &rc);
  const bool sunken = press_.Pressed() || down_;
  DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (sunken ? DFCS_PUSHED : 0));
  if (down_ && !press_.Pressed()) {
    // A button that stays down shows the light checked face of a latched key.
    static const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    HBITMAP bits = CreateBitmap(8, 8, 1, 1, pattern);
    HBRUSH dither = CreatePatternBrush(bits);
    RECT face{rc.left + 2, rc.top + 2, rc.right - 2, rc.bottom - 2};
    COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
    COLORREF oldBack = SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    FillRect(dc, &face, dither);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
    DeleteObject(dither);
    DeleteObject(bits);
  }
  DrawPicture(dc, sunken ? 1 : 0);
}

void SpeedButton::DrawPicture(HDC dc, int offset) {
  HBITMAP picture = CurrentPicture();
  if (!picture) return;
  BITMAP info;
  GetObjectA(picture, sizeof info, &info);
  const int x = (Size - info.bmWidth) / 2 + offset;
  const int y = (Size - info.bmHeight) / 2 + offset;
  DrawTransparent(dc, x, y, picture, 0, info.bmWidth, info.bmHeight, PictureBackground);
}

HBITMAP SpeedButton::CurrentPicture() {
  if (IsWindowEnabled(Handle()) || !disabledPictureId_) return picture_;
  if (!disabledPicture_) disabledPicture_ = LoadPicture(disabledPictureId_);
  return disabledPicture_ ? disabledPicture_ : picture_;
}

}  // namespace winui
