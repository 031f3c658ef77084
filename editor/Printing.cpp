#include "Printing.h"

#include <algorithm>

#include "DocumentName.h"
#include "Exceptions.h"
#include "PrintJob.h"
#include "PrintedDocument.h"
#include "StringIds.h"
#include "StringResource.h"
#include "TextFormat.h"

bool PrintJobRunning() { return PrintJob::Running(); }

void PrintRichText(const RichEditControl& control, HDC printer, const std::string& title,
                   const winui::PrintRange& range, const std::optional<core::PageMargins>& margins,
                   const PageStarted& pageStarted) {
  using Kind = winui::PrintRange::Kind;
  const auto pages = LayOutForPrinter(control, range.kind == Kind::Selection, printer, margins);
  const bool someOnly = range.kind == Kind::Pages;
  const int first = someOnly ? std::max(range.from, 1) : 1;
  const int last = someOnly ? std::min(range.to, pages->Count()) : pages->Count();
  // A range past the document's end is said, not printed as nothing.
  if (first > last)
    throw core::Exception(
        core::FormatWith(winui::LoadText(IDS_NO_SUCH_PAGES), std::to_string(pages->Count())));
  PrintJob job(printer, core::PrintJobName(title));
  for (int page = first; page <= last; ++page) {
    if (page > first) job.NextPage();
    if (pageStarted) pageStarted(page);
    pages->Draw(printer, page - 1);
  }
  job.Finish();
}
