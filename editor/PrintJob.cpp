#include "PrintJob.h"

#include "Application.h"
#include "ErrorDisplay.h"
#include "Exceptions.h"

namespace {

constexpr char JobRefused[] = "Der Drucker nimmt den Druckauftrag nicht an";
constexpr char PrintFailed[] = "Das Drucken ist mi\xDFlungen";

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
  if (!open_) throw core::Exception(JobRefused);
  Check(StartPage(printer_), PrintFailed);
}

PrintJob::~PrintJob() {
  if (open_) AbortDoc(printer_);
}

void PrintJob::NextPage() {
  Check(EndPage(printer_), PrintFailed);
  // Wine's spooler calls the abort procedure only at StartDoc.
  KeepResponsive(printer_, 0);
  Check(StartPage(printer_), PrintFailed);
}

void PrintJob::Finish() {
  Check(EndPage(printer_), PrintFailed);
  open_ = false;
  if (EndDoc(printer_) <= 0) throw core::Exception(PrintFailed);
}

bool PrintJob::Running() { return runningJobs > 0; }

void PrintJob::Check(int result, const char* failure) {
  if (result > 0) return;
  AbortDoc(printer_);
  open_ = false;
  throw core::Exception(failure);
}
