#include "Printing.h"

#include <richedit.h>

#include <functional>

#include "ControlStreams.h"
#include "DocumentName.h"
#include "DocumentSnapshot.h"
#include "PrintJob.h"
#include "RichEditControl.h"
#include "RichDocument.h"
#include "RichTextPages.h"

namespace {

using NextPage = std::function<void()>;

constexpr int TwipsPerInch = 1440;

// The whole printable area in twips.
RECT PageInTwips(HDC printer) {
  const int dpiX = GetDeviceCaps(printer, LOGPIXELSX), dpiY = GetDeviceCaps(printer, LOGPIXELSY);
  RECT page{0, 0, 0, 0};
  if (dpiX > 0 && dpiY > 0) {
    page.right = GetDeviceCaps(printer, HORZRES) * TwipsPerInch / dpiX;
    page.bottom = GetDeviceCaps(printer, VERTRES) * TwipsPerInch / dpiY;
  }
  return page;
}

// Lays out one page from start; returns the first character that did not
// fit. Both rectangles are set for every page, since the control may
// change them while it formats.
LONG FormatPage(HWND richEdit, HDC printer, const RECT& page, LONG start) {
  FORMATRANGE range{};
  range.hdc = printer;
  range.hdcTarget = printer;
  range.rc = page;
  range.rcPage = page;
  range.chrg.cpMin = start;
  range.chrg.cpMax = -1;
  return static_cast<LONG>(SendMessageA(richEdit, EM_FORMATRANGE, 1, reinterpret_cast<LPARAM>(&range)));
}

// The control's own page layout. False when it laid out nothing of a text
// that has something to print: Wine's rich edit, for one, leaves page
// layout unimplemented and answers 0.
bool PrintFormattedPages(HWND richEdit, HDC printer, const NextPage& nextPage) {
  const RECT page = PageInTwips(printer);
  // The length is taken once: the window stays usable while the job runs.
  const LONG length = static_cast<LONG>(SendMessageA(richEdit, WM_GETTEXTLENGTH, 0, 0));
  LONG start = 0;
  for (;;) {
    const LONG next = FormatPage(richEdit, printer, page, start);
    if (start == 0 && next <= 0 && length > 0) return false;
    // A page that takes nothing would repeat forever: it ends the job too.
    if (next == -1 || next >= length || next <= start) break;
    nextPage();
    start = next;
  }
  SendMessageA(richEdit, EM_FORMATRANGE, 0, 0);
  return true;
}

// A character as a code page the document's reader does not know has it.
std::string InCodePage(char32_t character, int codePage) {
  if (character > 0xFFFF) return {};
  const wchar_t unit = static_cast<wchar_t>(character);
  char bytes[8];
  BOOL defaulted = FALSE;
  const int length = WideCharToMultiByte(static_cast<UINT>(codePage), 0, &unit, 1, bytes, sizeof bytes, nullptr, &defaulted);
  return length > 0 && !defaulted ? std::string(bytes, static_cast<std::size_t>(length)) : std::string();
}

}  // namespace

bool PrintJobRunning() { return PrintJob::Running(); }

void PrintRichText(const RichEditControl& control, HDC printer, const std::string& title,
                   const PageStarted& pageStarted) {
  // The job prints a copy: the document may be edited, replaced or closed
  // while it runs.
  RichEditControl copy("PrintCopy");
  copy.Create(nullptr, 0, 0, 0, 0, 0);
  DocumentSnapshot(control).RestoreInto(copy);
  PrintJob job(printer, core::PrintJobName(title));
  int page = 1;
  if (pageStarted) pageStarted(page);
  const NextPage nextPage = [&] {
    job.NextPage();
    if (pageStarted) pageStarted(++page);
  };
  if (!PrintFormattedPages(copy.Handle(), printer, nextPage))
    PrintRichTextPages(printer, core::RichParagraphs(core::ReadRtf(StreamOut(copy, SF_RTF)), InCodePage), nextPage);
  job.Finish();
}
