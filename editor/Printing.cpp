#include "Printing.h"

#include <richedit.h>

#include "Application.h"
#include "SaveAsRules.h"

namespace {

int runningJobs = 0;

class RunningJob {
 public:
  RunningJob() { ++runningJobs; }
  ~RunningJob() { --runningJobs; }
  RunningJob(const RunningJob&) = delete;
  RunningJob& operator=(const RunningJob&) = delete;
};

// Nothing in the editor cancels a job: the procedure only keeps the
// windows answering.
BOOL CALLBACK KeepResponsive(HDC, int) {
  winui::Application::Instance().ProcessMessages();
  return TRUE;
}

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

}  // namespace

bool PrintJobRunning() { return runningJobs > 0; }

void PrintRichText(HWND richEdit, HDC printer, const std::string& title) {
  const RunningJob job;
  const RECT page = PageInTwips(printer);
  const std::string jobName = core::PrintJobName(title);
  DOCINFOA document{};
  document.cbSize = sizeof document;
  document.lpszDocName = jobName.c_str();
  SetAbortProc(printer, KeepResponsive);
  StartDoc(printer, &document);
  StartPage(printer);
  const LONG length = static_cast<LONG>(SendMessageA(richEdit, WM_GETTEXTLENGTH, 0, 0));
  LONG start = 0;
  for (;;) {
    const LONG next = FormatPage(richEdit, printer, page, start);
    // A page that takes nothing would repeat forever: it ends the job too.
    if (next == -1 || next >= length || next <= start) break;
    EndPage(printer);
    // Wine's spooler calls the abort procedure only at StartDoc.
    KeepResponsive(printer, 0);
    StartPage(printer);
    start = next;
  }
  EndPage(printer);
  EndDoc(printer);
  SendMessageA(richEdit, EM_FORMATRANGE, 0, 0);
}
