#include "PrintedDocument.h"

#include <richedit.h>

#include "ControlStreams.h"
#include "RichDocument.h"
#include "RichEditControl.h"
#include "RtfDocument.h"

std::string BytesInCodePage(char32_t character, int codePage) {
  if (character > 0xFFFF) return {};
  const wchar_t unit = static_cast<wchar_t>(character);
  char bytes[8];
  BOOL defaulted = FALSE;
  const int length = WideCharToMultiByte(static_cast<UINT>(codePage), 0, &unit, 1, bytes,
                                         sizeof bytes, nullptr, &defaulted);
  return length > 0 && !defaulted ? std::string(bytes, static_cast<std::size_t>(length))
                                  : std::string();
}

core::PaperGeometry PaperOf(HDC printer) {
  return core::PaperGeometry{
      GetDeviceCaps(printer, PHYSICALWIDTH),   GetDeviceCaps(printer, PHYSICALHEIGHT),
      GetDeviceCaps(printer, PHYSICALOFFSETX), GetDeviceCaps(printer, PHYSICALOFFSETY),
      GetDeviceCaps(printer, HORZRES),         GetDeviceCaps(printer, VERTRES),
      GetDeviceCaps(printer, LOGPIXELSX),      GetDeviceCaps(printer, LOGPIXELSY)};
}

std::unique_ptr<RichTextPages> LayOutForPrinter(const RichEditControl& control, bool selectionOnly,
                                                HDC printer,
                                                const std::optional<core::PageMargins>& margins) {
  const std::string rtf = StreamOut(control, SF_RTF | (selectionOnly ? SFF_SELECTION : 0));
  const core::DeviceRect area = core::TextArea(PaperOf(printer), margins);
  return std::make_unique<RichTextPages>(printer,
                                         core::RichParagraphs(core::ReadRtf(rtf), BytesInCodePage),
                                         RECT{area.left, area.top, area.right, area.bottom});
}
