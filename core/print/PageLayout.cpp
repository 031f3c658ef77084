#include "PageLayout.h"

#include <algorithm>
#include <array>
#include <map>

#include "CodePages.h"

namespace core {

namespace {

// The measure of single codes and of fonts, each asked once a style.
class StyleMeasure {
 public:
  explicit StyleMeasure(const TextMeasure& measure) : measure_(measure) {}

  // A style's widths, each measured when first asked for: looked up once a
  // run, not once a code.
  class Widths {
   public:
    Widths(StyleMeasure& measure, const RunStyle& style)
        : measure_(measure), style_(style), table_(measure.TableOf(style)) {}
    int operator()(unsigned char code) {
      int& advance = table_[code];
      if (advance < 0)
        advance = std::max(0, measure_.measure_.width(style_, std::string(1, char(code))));
      return advance;
    }

   private:
    StyleMeasure& measure_;
    const RunStyle& style_;
    std::array<int, 256>& table_;
  };

  int Advance(const RunStyle& style, unsigned char code) { return Widths(*this, style)(code); }

  FontMetrics Metrics(const RunStyle& style) {
    const auto found = metrics_.find(style);
    if (found != metrics_.end()) return found->second;
    return metrics_[style] = measure_.metrics(style);
  }

 private:
  const TextMeasure& measure_;
  std::array<int, 256>& TableOf(const RunStyle& style) {
    auto found = advances_.find(style);
    if (found == advances_.end()) {
      found = advances_.emplace(style, std::array<int, 256>{}).first;
      found->second.fill(-1);
    }
    return found->second;
  }

  std::map<RunStyle, std::array<int, 256>> advances_;
  std::map<RunStyle, FontMetrics> metrics_;
};

// A paragraph's codes as one stored line, each with its run and its class:
// glyph codes as the glyph font shows them; the bytes of other fonts, which
// those fonts draw as they come, left to right; and everything of a
// paragraph without Persian left to right, as its reading order is its
// stored order.
struct ParagraphCodes {
  std::string codes;
  std::vector<std::size_t> runs;
  std::vector<BidiClass> classes;
};

BidiClass ByteClass(unsigned char byte, int charset) {
  const BidiClass bidi =
      BidiClassOf(FontCodePage(charset, 1252) == 1256 ? Cp1256(byte) : Cp1252(byte));
  return bidi == BidiClass::RightToLeft ? BidiClass::Latin : bidi;
}

ParagraphCodes CodesOf(const RichParagraph& paragraph) {
  ParagraphCodes codes;
  std::vector<BidiClass> glyphClasses;
  for (std::size_t run = 0; run < paragraph.runs.size(); ++run) {
    const TextRun& text = paragraph.runs[run];
    codes.codes += text.text;
    codes.runs.insert(codes.runs.end(), text.text.size(), run);
    if (!paragraph.rightToLeft) {
      codes.classes.insert(codes.classes.end(), text.text.size(), BidiClass::Latin);
    } else if (text.style.Glyphs()) {
      ParagraphWrapper::GlyphClasses(text.text, glyphClasses);
      codes.classes.insert(codes.classes.end(), glyphClasses.begin(), glyphClasses.end());
    } else {
      for (const char byte : text.text)
        codes.classes.push_back(ByteClass(static_cast<unsigned char>(byte), text.style.charset));
    }
  }
  return codes;
}

int Units(int twips, const PageSize& page) {
  return static_cast<int>(static_cast<long long>(twips) * page.dotsPerInch / 1440);
}

// Distances are taken in reading order: from the page's left edge in a
// paragraph read left to right, from its right edge in one of Persian.
class ParagraphPlacer {
 public:
  ParagraphPlacer(const RichParagraph& paragraph, const PageSize& page, StyleMeasure& measure)
      : paragraph_(paragraph), page_(page), measure_(measure), codes_(CodesOf(paragraph)) {
    const bool rtl = paragraph.rightToLeft;
    start_ = std::max(0, Units(rtl ? paragraph.rightIndent : paragraph.leftIndent, page));
    end_ = std::max(start_ + 1,
                    page.width - Units(rtl ? paragraph.leftIndent : paragraph.rightIndent, page));
    markerStart_ = std::max(0, start_ + Units(paragraph.firstIndent, page));
    firstStart_ = markerStart_;
    for (const int stop : paragraph.tabStops) tabStops_.push_back(Units(stop, page));
    std::sort(tabStops_.begin(), tabStops_.end());
    if (paragraph.bullet || !paragraph.number.text.empty()) PlaceMarker();
  }

  // The lines placed across the page, their baselines 0.
  const WrappedLines& AddLines(std::vector<LaidOutLine>& lines) {
    const WrappedLines& wrapped = Wrap();
    for (std::size_t line = 0; line < wrapped.LineCount(); ++line)
      lines.push_back(PlaceLine(wrapped, line));
    return wrapped;
  }

 private:
  // The bullet or number hangs at the first line's indent; the text keeps
  // clear of it.
  void PlaceMarker() {
    marker_.style = paragraph_.bullet ? paragraph_.runs.front().style : paragraph_.number.style;
    int width = 0;
    if (paragraph_.bullet) {
      width = marker_.bulletWidth = std::max(1, measure_.Metrics(marker_.style).ascent / 2);
    } else {
      marker_.text = paragraph_.number.text;
      for (const char code : marker_.text)
        width += marker_.advances.emplace_back(measure_.Advance(marker_.style, code));
    }
    markerWidth_ = width;
    const int gap = paragraph_.bullet ? width : measure_.Advance(marker_.style, ' ');
    firstStart_ = std::max(start_, markerStart_ + width + gap);
  }

  int LineStart(std::size_t line) const { return line == 0 ? firstStart_ : start_; }

  int NextStop(int at) const {
    const auto stop = std::upper_bound(tabStops_.begin(), tabStops_.end(), at);
    if (stop != tabStops_.end()) return *stop;
    const int every = std::max(1, Units(720, page_));
    return (at / every + 1) * every;
  }

  // A tab's advance depends on where its line breaks, and the breaks on
  // the advances: the paragraph is wrapped again until the tabs keep their
  // widths (in a few rounds at most).
  const WrappedLines& Wrap() {
    std::vector<std::int32_t> advances;
    advances.reserve(codes_.codes.size());
    for (const TextRun& run : paragraph_.runs) {
      StyleMeasure::Widths widths(measure_, run.style);
      for (const char code : run.text)
        advances.push_back(code == '\t' ? NextStop(0) : widths(static_cast<unsigned char>(code)));
    }
    const int width = end_ - start_;
    for (int round = 0;; ++round) {
      const WrappedLines& lines =
          wrapper_.Wrap(codes_.codes, codes_.classes, advances, end_ - firstStart_, width);
      if (!SetTabAdvances(lines, advances) || round == 3) {
        advances_ = std::move(advances);
        return lines;
      }
    }
  }

  bool SetTabAdvances(const WrappedLines& lines, std::vector<std::int32_t>& advances) const {
    bool changed = false;
    for (std::size_t line = 0; line < lines.LineCount(); ++line) {
      int at = LineStart(line);
      for (std::size_t place = lines.starts[line]; place < lines.starts[line + 1]; ++place) {
        const std::size_t index = lines.reading[place];
        if (codes_.codes[index] == '\t') {
          const int advance = NextStop(at) - at;
          changed |= advance != advances[index];
          advances[index] = advance;
        }
        at += advances[index];
      }
    }
    return changed;
  }

  // The reading place where the spaces that end a line begin: those at a
  // break are not drawn, nor are they at the paragraph's end.
  std::size_t DrawnEnd(const WrappedLines& lines, std::size_t line) const {
    std::size_t end = lines.starts[line + 1];
    while (end > lines.starts[line] && IsBreakSpace(codes_.codes[lines.reading[end - 1]])) --end;
    return end;
  }

  void Include(LaidOutLine& line, const RunStyle& style) {
    const FontMetrics metrics = measure_.Metrics(style);
    line.height.ascent = std::max(line.height.ascent, metrics.ascent);
    line.height.descent = std::max(line.height.descent, metrics.descent);
  }

  // The page's x of something that far along in reading order and that wide.
  int PageX(int along, int width) const {
    return paragraph_.rightToLeft ? page_.width - along - width : along;
  }

  int AlignedStart(int start, int width) const {
    const int room = std::max(0, end_ - start - width);
    Alignment alignment = paragraph_.alignment;
    if (paragraph_.rightToLeft && alignment != Alignment::Center)
      alignment = alignment == Alignment::Left ? Alignment::Right : Alignment::Left;
    if (alignment == Alignment::Right) return start + room;
    if (alignment == Alignment::Center) return start + room / 2;
    return start;
  }

  LaidOutLine PlaceLine(const WrappedLines& lines, std::size_t index) {
    LaidOutLine line;
    line.line = index;
    if (index == 0 && (paragraph_.bullet || !marker_.text.empty())) {
      PlacedText marker = marker_;
      marker.x = PageX(markerStart_, markerWidth_);
      line.pieces.push_back(std::move(marker));
      Include(line, marker_.style);
      line.blank = false;
    }
    const std::size_t drawnEnd = DrawnEnd(lines, index);
    std::vector<std::size_t> drawn;
    int width = 0;
    std::size_t included = codes_.runs.size();
    for (std::size_t place = lines.starts[index]; place < lines.starts[index + 1]; ++place) {
      const std::size_t code = lines.shown[place];
      if (codes_.runs[code] != included)
        Include(line, paragraph_.runs[included = codes_.runs[code]].style);
      line.placeX.push_back(width);
      if (lines.rank[code] >= drawnEnd) continue;
      drawn.push_back(code);
      width += advances_[code];
      if (!IsBreakSpace(codes_.codes[code])) line.blank = false;
    }
    line.placeX.push_back(width);
    if (lines.LineLength(index) == 0) Include(line, paragraph_.runs.front().style);
    int x = PageX(AlignedStart(LineStart(index), width), width);
    for (int& placeX : line.placeX) placeX += x;
    std::size_t pieceRun = codes_.runs.size();
    for (const std::size_t code : drawn) {
      const std::size_t run = codes_.runs[code];
      if (run != pieceRun)
        line.pieces.push_back(PlacedText{x, 0, paragraph_.runs[run].style, "", {}, 0});
      pieceRun = run;
      line.pieces.back().text += codes_.codes[code];
      line.pieces.back().advances.push_back(advances_[code]);
      x += advances_[code];
    }
    return line;
  }

  const RichParagraph& paragraph_;
  const PageSize& page_;
  StyleMeasure& measure_;
  const ParagraphCodes codes_;
  int start_ = 0, end_ = 1, markerStart_ = 0, firstStart_ = 0, markerWidth_ = 0;
  std::vector<int> tabStops_;
  PlacedText marker_;
  ParagraphWrapper wrapper_;
  std::vector<std::int32_t> advances_;
};

std::vector<LaidOutPage> Paginate(std::vector<LaidOutLine>& lines, int pageHeight) {
  std::vector<LaidOutPage> pages(1);
  int pageTop = 0;
  for (LaidOutLine& line : lines) {
    if (line.top > pageTop && line.Bottom() - pageTop > pageHeight) {
      pages.emplace_back();
      pageTop = line.top;
    }
    for (PlacedText& piece : line.pieces) {
      piece.baseline -= pageTop;
      pages.back().push_back(std::move(piece));
    }
  }
  return pages;
}

}  // namespace

namespace {

std::size_t LinesOf(const WrappedLines& lines) {
  return lines.starts.empty() ? 0 : lines.LineCount();
}

// Each line's paragraph and top again, from the paragraphs' line counts,
// the lines from `from` on moved down to stand under the one before.
void Restack(LaidOutText& text, std::size_t from) {
  text.firstLines.clear();
  std::size_t line = 0;
  for (std::size_t paragraph = 0; paragraph < text.paragraphs.size(); ++paragraph) {
    text.firstLines.push_back(line);
    for (std::size_t k = LinesOf(text.paragraphs[paragraph]); k > 0; --k)
      text.lines[line++].paragraph = paragraph;
  }
  int top = from == 0 ? 0 : text.lines[from - 1].Bottom();
  for (std::size_t index = from; index < text.lines.size(); ++index) {
    LaidOutLine& placed = text.lines[index];
    const int shift = top - placed.top;
    placed.top = top;
    for (PlacedText& piece : placed.pieces) piece.baseline += shift;
    top = placed.Bottom();
  }
  text.height = top;
}

}  // namespace

void RelayParagraphs(LaidOutText& text, const std::vector<RichParagraph>& paragraphs,
                     std::size_t first, std::size_t replaced, std::size_t count,
                     const PageSize& page, const TextMeasure& measure) {
  StyleMeasure styles(measure);
  std::vector<LaidOutLine> lines;
  std::vector<WrappedLines> wrapped;
  for (std::size_t index = first; index < first + count; ++index) {
    const std::size_t before = lines.size();
    if (paragraphs[index].runs.empty())
      wrapped.emplace_back();
    else
      wrapped.push_back(ParagraphPlacer(paragraphs[index], page, styles).AddLines(lines));
    // Tops from 0, baselines under them: Restack moves them into place.
    for (std::size_t line = before; line < lines.size(); ++line)
      for (PlacedText& piece : lines[line].pieces) piece.baseline = lines[line].height.ascent;
  }
  const auto lineAt = [&text](std::size_t paragraph) {
    return paragraph < text.firstLines.size() ? text.firstLines[paragraph] : text.lines.size();
  };
  const std::size_t begin = lineAt(first), end = lineAt(first + replaced);
  text.lines.erase(text.lines.begin() + static_cast<std::ptrdiff_t>(begin),
                   text.lines.begin() + static_cast<std::ptrdiff_t>(end));
  text.lines.insert(text.lines.begin() + static_cast<std::ptrdiff_t>(begin),
                    std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
  const auto at = text.paragraphs.begin() + static_cast<std::ptrdiff_t>(first);
  text.paragraphs.erase(at, at + static_cast<std::ptrdiff_t>(replaced));
  text.paragraphs.insert(text.paragraphs.begin() + static_cast<std::ptrdiff_t>(first),
                         std::make_move_iterator(wrapped.begin()),
                         std::make_move_iterator(wrapped.end()));
  Restack(text, begin);
}

LaidOutText LayOutText(const std::vector<RichParagraph>& paragraphs, const PageSize& page,
                       const TextMeasure& measure) {
  LaidOutText text;
  RelayParagraphs(text, paragraphs, 0, 0, paragraphs.size(), page, measure);
  return text;
}

std::vector<LaidOutPage> LayOutPages(const std::vector<RichParagraph>& paragraphs,
                                     const PageSize& page, const TextMeasure& measure) {
  std::vector<LaidOutLine> lines = LayOutText(paragraphs, page, measure).lines;
  while (!lines.empty() && lines.back().blank) lines.pop_back();
  return Paginate(lines, page.height);
}

}  // namespace core
