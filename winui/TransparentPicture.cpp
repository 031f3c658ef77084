#include "TransparentPicture.h"

namespace winui {

void DrawTransparent(HDC dc, int x, int y, HBITMAP picture, int sourceX, int width, int height,
                     COLORREF transparent) {
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ oldPicture = SelectObject(source, picture);
  // The mask is white where the picture is transparent, black elsewhere.
  HDC maskDC = CreateCompatibleDC(dc);
  HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
  HGDIOBJ oldMask = SelectObject(maskDC, mask);
  const COLORREF oldSourceBack = SetBkColor(source, transparent);
  BitBlt(maskDC, 0, 0, width, height, source, sourceX, 0, SRCCOPY);
  SetBkColor(source, oldSourceBack);
  // dc ^ picture, kept only under the mask's white, ^ picture again: the
  // old pixels where transparent, the picture's elsewhere.
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  BitBlt(dc, x, y, width, height, source, sourceX, 0, SRCINVERT);
  BitBlt(dc, x, y, width, height, maskDC, 0, 0, SRCAND);
  BitBlt(dc, x, y, width, height, source, sourceX, 0, SRCINVERT);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
  SelectObject(maskDC, oldMask);
  DeleteObject(mask);
  DeleteDC(maskDC);
  SelectObject(source, oldPicture);
  DeleteDC(source);
}

}  // namespace winui
