#pragma once
#include <windows.h>

#include <functional>
#include <string>

class RichEditControl;

// Prints the rich edit control's whole text on the printer's device context
// as one job named after the title (its first 31 characters), page by page
// over the whole printable area. Pending window messages are handled
// between pages, so the window stays usable while the job runs. The page
// hears each page's number as the page begins.
using PageStarted = std::function<void(int page)>;
void PrintRichText(const RichEditControl& control, HDC printer, const std::string& title,
                   const PageStarted& pageStarted = nullptr);

// True from the start of a job to its end.
bool PrintJobRunning();
