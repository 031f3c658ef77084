#include "PrintJob.h"

#include "Application.h"
#include "ErrorDisplay.h"
#include "Exceptions.h"
#include "StringIds.h"
#include "StringResource.h"

namespace {

int runningJobs = 0;

// Nothing in the editor cancels a job: the procedure only keeps the
// windows answering. A failure there is shown, and ends the job.
BOOL CALLBACK KeepResponsive(HDC, int) {
  return winui::Guarded(
      [] {
        winui::Application::Instance().ProcessMessages();
        return TRUE;
      },
      FALSE);
}

}  // namespace

PrintJob::Count::Count() { ++runningJobs; }
PrintJob::Count::~Count() { --runningJobs; }

PrintJob::PrintJob(HDC printer, const std::string& name) : printer_(printer) {
  DOCINFOA document{};
  document.cbSize = sizeof document;
  document.lpszDocName = name.c_str();
  SetAbortProc(printer_, KeepResponsive);
  open_ = StartDocA(printer_, &document) > 0;
  if (!open_) throw core::Exception(winui::LoadText(IDS_PRINTER_REFUSED_JOB));
  Check(StartPage(printer_), IDS_PRINTING_FAILED);
}

PrintJob::~PrintJob() {
  if (open_) AbortDoc(printer_);
}

void PrintJob::NextPage() {
  Check(EndPage(printer_), IDS_PRINTING_FAILED);
  // Wine's spooler calls the abort procedure only at StartDoc.
  KeepResponsive(printer_, 0);
  Check(StartPage(printer_), IDS_PRINTING_FAILED);
}

void PrintJob::Finish() {
  Check(EndPage(printer_), IDS_PRINTING_FAILED);
  open_ = false;
  if (EndDoc(printer_) <= 0) throw core::Exception(winui::LoadText(IDS_PRINTING_FAILED));
}

bool PrintJob::Running() { return runningJobs > 0; }

void PrintJob::Check(int result, UINT failure) {
  if (result > 0) return;
  AbortDoc(printer_);
  open_ = false;
  throw core::Exception(winui::LoadText(failure));
}
