#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Prints text line by line over whole pages in one font, each line aligned
// right like the text on screen; nextPage ends a page and starts the next.
// For when the rich edit control cannot lay out pages itself.
void PrintPlainTextPages(HDC printer, const std::string& text, const LOGFONTA& font,
                         const std::function<void()>& nextPage);
