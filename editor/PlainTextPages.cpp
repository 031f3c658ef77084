#include "PlainTextPages.h"

#include <vector>

#include "LineWrap.h"

void PrintPlainTextPages(HDC printer, const std::string& text, const LOGFONTA& font,
                         const std::function<void()>& nextPage) {
  HFONT handle = CreateFontIndirectA(&font);
  const HGDIOBJ previous = SelectObject(printer, handle);
  TEXTMETRICA metrics{};
  GetTextMetricsA(printer, &metrics);
  const int lineHeight = std::max<int>(1, metrics.tmHeight + metrics.tmExternalLeading);
  const int width = GetDeviceCaps(printer, HORZRES), height = GetDeviceCaps(printer, VERTRES);
  const auto measure = [printer](const std::string& part) {
    SIZE size{};
    GetTextExtentPoint32A(printer, part.data(), static_cast<int>(part.size()), &size);
    return static_cast<int>(size.cx);
  };
  std::vector<std::string> lines = core::WrapText(text, width, measure);
  // The empty lines at the end would only add blank pages.
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  int top = 0;
  for (const std::string& line : lines) {
    if (top > 0 && top + lineHeight > height) {
      nextPage();
      // A new page may reset the device context's attributes.
      SelectObject(printer, handle);
      top = 0;
    }
    SetTextAlign(printer, TA_RIGHT | TA_TOP | TA_NOUPDATECP);
    SetBkMode(printer, TRANSPARENT);
    TextOutA(printer, width, top, line.data(), static_cast<int>(line.size()));
    top += lineHeight;
  }
  SelectObject(printer, previous);
  DeleteObject(handle);
}
