#include "RichTextPages.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "PageLayout.h"

// The fonts of a document's run styles at the printer's resolution, each
// made once: a size in half points (RTF's \fs) becomes the font's height in
// the printer's pixels. They go into whichever context draws (the
// printer's, or a screen's mapped to the printer's units), which gets its
// own font back when another takes them.
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

// A filled disc in the box, at the height of the middle of small letters.
void DrawBullet(HDC printer, const core::PlacedText& bullet, PrinterFonts& fonts) {
  const int ascent = fonts.Metrics(bullet.style).ascent;
  const int diameter = std::max(1, bullet.bulletWidth * 2 / 3);
  const int left = bullet.x + (bullet.bulletWidth - diameter) / 2;
  const int top = bullet.baseline - ascent * 3 / 10 - diameter / 2;
  const HBRUSH brush = CreateSolidBrush(bullet.style.color);
  const HGDIOBJ pen = SelectObject(printer, GetStockObject(NULL_PEN));
  const HGDIOBJ previous = SelectObject(printer, brush);
  // The null pen leaves out the right and bottom edges: one more each way.
  Ellipse(printer, left, top, left + diameter + 1, top + diameter + 1);
  SelectObject(printer, previous);
  SelectObject(printer, pen);
  DeleteObject(brush);
}

// Each byte at the advance the layout gave it, so that what was laid out
// is what is drawn; a tab as a space, as fonts have no glyph for it.
void DrawPiece(HDC printer, const core::PlacedText& piece, PrinterFonts& fonts) {
  fonts.Select(piece.style);
  SetTextColor(printer, piece.style.color);
  std::string text = piece.text;
  std::replace(text.begin(), text.end(), '\t', ' ');
  ExtTextOutA(printer, piece.x, piece.baseline, 0, nullptr, text.data(),
              static_cast<UINT>(text.size()), piece.advances.data());
}

void DrawPage(HDC printer, const core::LaidOutPage& page, PrinterFonts& fonts) {
  SetTextAlign(printer, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
  SetBkMode(printer, TRANSPARENT);
  for (const core::PlacedText& piece : page) {
    if (piece.bulletWidth)
      DrawBullet(printer, piece, fonts);
    else
      DrawPiece(printer, piece, fonts);
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
