#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "PrintArea.h"
#include "RichTextPages.h"

class RichEditControl;

// The document as a printer's pages: the control's whole text, or its
// selection alone as a document of its own, laid out once over the text
// area the margins leave (the whole printable area without margins). Print
// and print preview both take their pages from here, so the preview
// shows what prints.
std::unique_ptr<RichTextPages> LayOutForPrinter(const RichEditControl& control, bool selectionOnly,
                                                HDC printer,
                                                const std::optional<core::PageMargins>& margins);

// A character's bytes in a Windows code page, empty where it has none: for
// reading a document whose text falls outside the code pages it was read in.
std::string BytesInCodePage(char32_t character, int codePage);

// The paper and the part of it the printer reaches, in its device units.
core::PaperGeometry PaperOf(HDC printer);
