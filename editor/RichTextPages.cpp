#include "RichTextPages.h"

#include <memory>

#include "RunFonts.h"

RichTextPages::RichTextPages(HDC printer, const std::vector<core::RichParagraph>& paragraphs,
                             const RECT& textArea)
    : fonts_(std::make_unique<RunFonts>(printer, GetDeviceCaps(printer, LOGPIXELSY))),
      textArea_(textArea) {
  const core::PageSize size{textArea.right - textArea.left, textArea.bottom - textArea.top,
                            GetDeviceCaps(printer, LOGPIXELSX)};
  pages_ = core::LayOutPages(paragraphs, size, fonts_->Measure());
  // The printer may go before the pages are drawn on a screen.
  fonts_->DrawOn(nullptr);
}

RichTextPages::~RichTextPages() = default;

void RichTextPages::Draw(HDC dc, int index) {
  if (index < 0 || index >= Count()) return;
  POINT origin{};
  OffsetWindowOrgEx(dc, -textArea_.left, -textArea_.top, &origin);
  fonts_->DrawOn(dc);
  DrawPlacedText(dc, pages_[static_cast<std::size_t>(index)], *fonts_);
  fonts_->DrawOn(nullptr);
  SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
}
