#include "SpeedButton.h"

#include "ButtonPanel.h"
#include "TransparentPicture.h"

namespace winui {

namespace {
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

void SpeedButton::Create(ButtonPanel& panel, int left, int top, int groupIndex,
                         SpeedButtonGroup* group) {
  panel_ = &panel;
  bounds_ = {left, top, left + Size, top + Size};
  groupIndex_ = groupIndex;
  group_ = group;
  if (group_) group_->push_back(this);
  panel.Add(this);
  Repaint();
}

HWND SpeedButton::PanelHandle() const { return panel_ ? panel_->Handle() : nullptr; }

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

void SpeedButton::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Repaint();
}

void SpeedButton::Click() {
  if (groupIndex_ != 0) SetDown(!down_);
  if (onClick_) onClick_(this);
}

void SpeedButton::Press() { press_.Begin(PanelHandle(), bounds_); }
void SpeedButton::FollowPress(LPARAM point) { press_.Follow(PanelHandle(), point); }
bool SpeedButton::ReleasePress(LPARAM point) { return press_.Release(PanelHandle(), point); }
void SpeedButton::EndPress(UINT message) { press_.End(PanelHandle(), message); }

// A button on a hidden panel is drawn whole when the panel shows: the
// window server is not asked before (at start-up, before the window shows,
// for every button).
void SpeedButton::Repaint() {
  HWND panel = PanelHandle();
  if (panel && IsWindowVisible(panel)) InvalidateRect(panel, &bounds_, FALSE);
}

void SpeedButton::Paint(HDC dc) {
  RECT rc = bounds_;
  const bool sunken = press_.Pressed() || down_;
  DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (sunken ? DFCS_PUSHED : 0));
  if (down_ && !press_.Pressed()) DrawLatchedFace(dc);
  DrawPicture(dc, sunken ? 1 : 0);
}

// A button that stays down shows the light checked face of a latched key.
void SpeedButton::DrawLatchedFace(HDC dc) {
  static const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  HBITMAP bits = CreateBitmap(8, 8, 1, 1, pattern);
  HBRUSH dither = CreatePatternBrush(bits);
  RECT face{bounds_.left + 2, bounds_.top + 2, bounds_.right - 2, bounds_.bottom - 2};
  COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
  COLORREF oldBack = SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
  FillRect(dc, &face, dither);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
  DeleteObject(dither);
  DeleteObject(bits);
}

void SpeedButton::DrawPicture(HDC dc, int offset) {
  HBITMAP picture = CurrentPicture();
  if (!picture) return;
  BITMAP info;
  GetObjectA(picture, sizeof info, &info);
  const int x = bounds_.left + (Size - info.bmWidth) / 2 + offset;
  const int y = bounds_.top + (Size - info.bmHeight) / 2 + offset;
  DrawTransparent(dc, x, y, picture, 0, info.bmWidth, info.bmHeight, PictureBackground);
}

HBITMAP SpeedButton::CurrentPicture() {
  if (enabled_ || !disabledPictureId_) return picture_;
  if (!disabledPicture_) disabledPicture_ = LoadPicture(disabledPictureId_);
  return disabledPicture_ ? disabledPicture_ : picture_;
}

}  // namespace winui
