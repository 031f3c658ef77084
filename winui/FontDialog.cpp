#include "FontDialog.h"

#include <commdlg.h>

#include "LateBoundCalls.h"
#include "ModalScope.h"

namespace winui {

namespace {
int ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return pixelsPerInch;
}
}  // namespace

// A negative height is the character height in pixels, as the dialog
// reports it.
int FontDialog::PointSize() const { return -MulDiv(font.lfHeight, 72, ScreenPixelsPerInch()); }

void FontDialog::SetPointSize(int points) {
  font.lfHeight = -MulDiv(points, ScreenPixelsPerInch(), 72);
}

bool FontDialog::Execute(HWND owner) {
  LOGFONTA chosen = font;
  CHOOSEFONTA choice{};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = owner;
  choice.lpLogFont = &chosen;
  choice.rgbColors = colour;
  choice.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  ModalScope modal;
  if (!late::ChooseFontA(&choice)) return false;
  font = chosen;
  colour = choice.rgbColors;
  return true;
}

}  // namespace winui
