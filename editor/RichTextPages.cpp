#include "RichTextPages.h"

#include <map>
#include <memory>

#include "PageLayout.h"

// The fonts of a document's run styles at the printer's resolution, each
// made once. They go into whichever context draws (the printer's, or a
// screen's mapped to the printer's units), which gets its own font back
// when another takes them.
class PrinterFonts {
 public:
  PrinterFonts(HDC printer, int dotsPerInchY) : printer_(printer), dotsPerInchY_(dotsPerInchY) {}
  ~PrinterFonts() {
    DrawOn(nullptr);
    for (const auto& font : fonts_)
      if (font.second) DeleteObject(font.second);
  }
  PrinterFonts(const PrinterFonts&) = delete;
  PrinterFonts& operator=(const PrinterFonts&) = delete;

  void DrawOn(HDC dc) {
    if (original_) SelectObject(printer_, original_);
    original_ = nullptr;
    printer_ = dc;
  }

  void Select(const core::RunStyle& style) {
    HFONT& font = fonts_[style];
    if (!font) font = Create(style);
    // Selected again on every page: a new page may reset the context.
    const HGDIOBJ previous = font ? SelectObject(printer_, font) : nullptr;
    if (!original_) original_ = previous;
  }

  int Width(const core::RunStyle& style, const std::string& text) {
    Select(style);
    SIZE size{};
    GetTextExtentPoint32A(printer_, text.data(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  }

  core::FontMetrics Metrics(const core::RunStyle& style) {
    Select(style);
    TEXTMETRICA metrics{};
    GetTextMetricsA(printer_, &metrics);
    return core::FontMetrics{metrics.tmAscent, metrics.tmDescent + metrics.tmExternalLeading};
  }

 private:
  HFONT Create(const core::RunStyle& style) const {
    LOGFONTA font{};
    font.lfHeight = -MulDiv(style.halfPoints, dotsPerInchY_, 2 * 72);
    font.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = style.italic;
    font.lfUnderline = style.underline;
    font.lfStrikeOut = style.strikeOut;
    font.lfCharSet = static_cast<BYTE>(style.charset);
    lstrcpynA(font.lfFaceName, style.face.c_str(), LF_FACESIZE);
    return CreateFontIndirectA(&font);
  }

  HDC printer_;
  int dotsPerInchY_;
  HGDIOBJ original_ = nullptr;
  std::map<core::RunStyle, HFONT> fonts_;
};

namespace {

void DrawPage(HDC printer, const core::LaidOutPage& page, PrinterFonts& fonts) {
  SetTextAlign(printer, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
  SetBkMode(printer, TRANSPARENT);
  SetTextColor(printer, RGB(0, 0, 0));
  for (const core::PlacedText& piece : page) {
    fonts.Select(piece.style);
    TextOutA(printer, piece.x, piece.baseline, piece.text.data(),
             static_cast<int>(piece.text.size()));
  }
}

}  // namespace

RichTextPages::RichTextPages(HDC printer, const std::vector<core::RichParagraph>& paragraphs,
                             const RECT& textArea)
    : fonts_(std::make_unique<PrinterFonts>(printer, GetDeviceCaps(printer, LOGPIXELSY))),
      textArea_(textArea) {
  PrinterFonts& fonts = *fonts_;
  const core::TextMeasure measure{
      [&fonts](const core::RunStyle& style, const std::string& text) {
        return fonts.Width(style, text);
      },
      [&fonts](const core::RunStyle& style) { return fonts.Metrics(style); }};
  const core::PageSize size{textArea.right - textArea.left, textArea.bottom - textArea.top,
                            GetDeviceCaps(printer, LOGPIXELSX)};
  pages_ = core::LayOutPages(paragraphs, size, measure);
  // The printer may go before the pages are drawn on a screen.
  fonts.DrawOn(nullptr);
}

RichTextPages::~RichTextPages() = default;

void RichTextPages::Draw(HDC dc, int index) {
  if (index < 0 || index >= Count()) return;
  POINT origin{};
  OffsetWindowOrgEx(dc, -textArea_.left, -textArea_.top, &origin);
  fonts_->DrawOn(dc);
  DrawPage(dc, pages_[static_cast<std::size_t>(index)], *fonts_);
  fonts_->DrawOn(nullptr);
  SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
}
