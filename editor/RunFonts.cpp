#include "RunFonts.h"

#include <algorithm>

RunFonts::~RunFonts() {
  DrawOn(nullptr);
  for (const auto& font : fonts_)
    if (font.second) DeleteObject(font.second);
}

void RunFonts::DrawOn(HDC dc) {
  if (original_) SelectObject(dc_, original_);
  original_ = nullptr;
  dc_ = dc;
}

void RunFonts::Select(const core::RunStyle& style) {
  HFONT& font = fonts_[style];
  if (!font) font = Create(style);
  // Selected again on every page: a new page may reset the context.
  const HGDIOBJ previous = font ? SelectObject(dc_, font) : nullptr;
  if (!original_) original_ = previous;
}

int RunFonts::Width(const core::RunStyle& style, const std::string& text) {
  Select(style);
  SIZE size{};
  GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
  return static_cast<int>(size.cx);
}

core::FontMetrics RunFonts::Metrics(const core::RunStyle& style) {
  Select(style);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc_, &metrics);
  return core::FontMetrics{metrics.tmAscent, metrics.tmDescent + metrics.tmExternalLeading};
}

core::TextMeasure RunFonts::Measure() {
  const auto width = [this](const core::RunStyle& style, const std::string& text) {
    if (text.size() != 1) return Width(style, text);
    auto found = codeWidths_.find(style);
    if (found == codeWidths_.end()) {
      found = codeWidths_.emplace(style, std::array<int, 256>{}).first;
      found->second.fill(-1);
    }
    int& known = found->second[static_cast<unsigned char>(text[0])];
    if (known < 0) known = Width(style, text);
    return known;
  };
  const auto metrics = [this](const core::RunStyle& style) {
    const auto found = metrics_.find(style);
    return found != metrics_.end() ? found->second : metrics_[style] = Metrics(style);
  };
  return core::TextMeasure{width, metrics};
}

HFONT RunFonts::Create(const core::RunStyle& style) const {
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

namespace {

// A filled disc in the box, at the height of the middle of small letters.
void DrawBullet(HDC dc, const core::PlacedText& bullet, RunFonts& fonts, int down) {
  const int ascent = fonts.Metrics(bullet.style).ascent;
  const int diameter = std::max(1, bullet.bulletWidth * 2 / 3);
  const int left = bullet.x + (bullet.bulletWidth - diameter) / 2;
  const int top = bullet.baseline + down - ascent * 3 / 10 - diameter / 2;
  const HBRUSH brush = CreateSolidBrush(bullet.style.color);
  const HGDIOBJ pen = SelectObject(dc, GetStockObject(NULL_PEN));
  const HGDIOBJ previous = SelectObject(dc, brush);
  // The null pen leaves out the right and bottom edges: one more each way.
  Ellipse(dc, left, top, left + diameter + 1, top + diameter + 1);
  SelectObject(dc, previous);
  SelectObject(dc, pen);
  DeleteObject(brush);
}

// A tab as a space, as fonts have no glyph for it.
void DrawPiece(HDC dc, const core::PlacedText& piece, RunFonts& fonts, int down) {
  fonts.Select(piece.style);
  SetTextColor(dc, piece.style.color);
  std::string text = piece.text;
  std::replace(text.begin(), text.end(), '\t', ' ');
  ExtTextOutA(dc, piece.x, piece.baseline + down, 0, nullptr, text.data(),
              static_cast<UINT>(text.size()), piece.advances.data());
}

// The text between tabs as the font places it; a tab is the gap to the
// next piece.
void DrawInOwnAdvances(HDC dc, const core::PlacedText& piece, RunFonts& fonts, int down) {
  fonts.Select(piece.style);
  SetTextColor(dc, piece.style.color);
  const std::string& text = piece.text;
  int x = piece.x;
  for (std::size_t begin = 0; begin <= text.size();) {
    const std::size_t tab = std::min(text.find('\t', begin), text.size());
    ExtTextOutA(dc, x, piece.baseline + down, 0, nullptr, text.data() + begin,
                static_cast<UINT>(tab - begin), nullptr);
    for (std::size_t code = begin; code <= tab && code < text.size(); ++code)
      x += piece.advances[code];
    begin = tab + 1;
  }
}

}  // namespace

void DrawPlacedText(HDC dc, const std::vector<core::PlacedText>& pieces, RunFonts& fonts, int down,
                    bool ownAdvances) {
  SetTextAlign(dc, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
  SetBkMode(dc, TRANSPARENT);
  for (const core::PlacedText& piece : pieces) {
    if (piece.bulletWidth)
      DrawBullet(dc, piece, fonts, down);
    else if (ownAdvances)
      DrawInOwnAdvances(dc, piece, fonts, down);
    else
      DrawPiece(dc, piece, fonts, down);
  }
}
