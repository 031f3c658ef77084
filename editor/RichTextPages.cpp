#include "RichTextPages.h"

#include <algorithm>
#include <map>
#include <string>

#include "PageLayout.h"

namespace {

// The printer's fonts of a document's run styles, each made once; the
// device context gets its own font back at the end. A size in half points
// (RTF's \fs) becomes the font's height in the printer's pixels.
class PrinterFonts {
 public:
  explicit PrinterFonts(HDC printer) : printer_(printer) {}
  ~PrinterFonts() {
    if (original_) SelectObject(printer_, original_);
    for (const auto& font : fonts_)
      if (font.second) DeleteObject(font.second);
  }
  PrinterFonts(const PrinterFonts&) = delete;
  PrinterFonts& operator=(const PrinterFonts&) = delete;

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
    font.lfHeight = -MulDiv(style.halfPoints, GetDeviceCaps(printer_, LOGPIXELSY), 2 * 72);
    font.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = style.italic;
    font.lfUnderline = style.underline;
    font.lfStrikeOut = style.strikeOut;
    font.lfCharSet = static_cast<BYTE>(style.charset);
    lstrcpynA(font.lfFaceName, style.face.c_str(), LF_FACESIZE);
    return CreateFontIndirectA(&font);
  }

  HDC printer_;
  HGDIOBJ original_ = nullptr;
  std::map<core::RunStyle, HFONT> fonts_;
};

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

void PrintRichTextPages(HDC printer, const std::vector<core::RichParagraph>& paragraphs,
                        const std::function<void()>& nextPage) {
  PrinterFonts fonts(printer);
  const core::TextMeasure measure{
      [&fonts](const core::RunStyle& style, const std::string& text) {
        return fonts.Width(style, text);
      },
      [&fonts](const core::RunStyle& style) { return fonts.Metrics(style); }};
  const core::PageSize size{GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES),
                            GetDeviceCaps(printer, LOGPIXELSX)};
  const std::vector<core::LaidOutPage> pages = core::LayOutPages(paragraphs, size, measure);
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (i > 0) nextPage();
    DrawPage(printer, pages[i], fonts);
  }
}
