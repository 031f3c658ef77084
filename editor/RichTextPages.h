#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "RichDocument.h"

// Prints a document's paragraphs over whole pages in their own fonts,
// sizes, styles, alignments and bullets, laid out in the printer's own
// measure; nextPage ends a page and starts the next. For when the rich
// edit control cannot lay out pages itself.
void PrintRichTextPages(HDC printer, const std::vector<core::RichParagraph>& paragraphs,
                        const std::function<void()>& nextPage);
