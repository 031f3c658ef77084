#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "PrintArea.h"
#include "PrintDialog.h"

class RichEditControl;

// Prints the rich edit control's text (or only its selection, or only the
// range of pages chosen) on the printer's device context as one job named
// after the title (its first 31 characters), through the editor's own
// page layout within the margins. The document is laid out before the job
// starts, so editing meanwhile changes nothing printed; pending window
// messages are handled between pages. The callback hears each page's
// number (in the document) as the page begins.
using PageStarted = std::function<void(int page)>;
void PrintRichText(const RichEditControl& control, HDC printer, const std::string& title,
                   const winui::PrintRange& range, const std::optional<core::PageMargins>& margins,
                   const PageStarted& pageStarted = nullptr);

// True from the start of a job to its end.
bool PrintJobRunning();
