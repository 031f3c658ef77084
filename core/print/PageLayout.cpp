#include "PageLayout.h"

#include <algorithm>

namespace core {

namespace {

// Part of a line in one run's format.
struct Fragment {
  std::size_t run;
  std::string text;
};
using Fragments = std::vector<Fragment>;

void Append(Fragments& to, std::size_t run, const std::string& text) {
  if (!to.empty() && to.back().run == run)
    to.back().text += text;
  else
    to.push_back(Fragment{run, text});
}

void Append(Fragments& to, const Fragments& more) {
  for (const Fragment& fragment : more) Append(to, fragment.run, fragment.text);
}

// A word may change format within itself; the spaces before it are where
// a line may break.
struct Word {
  Fragments spaceBefore, body;
};

std::vector<Word> Words(const RichParagraph& paragraph) {
  std::vector<Word> words(1);
  for (std::size_t run = 0; run < paragraph.runs.size(); ++run)
    for (const char c : paragraph.runs[run].text) {
      if (c != ' ') {
        Append(words.back().body, run, std::string(1, c));
        continue;
      }
      if (!words.back().body.empty()) words.emplace_back();
      Append(words.back().spaceBefore, run, " ");
    }
  return words;
}

// Breaks one paragraph into lines; the first line may be narrower.
class LineBreaker {
 public:
  LineBreaker(const RichParagraph& paragraph, int firstWidth, int width, const TextMeasure& measure)
      : paragraph_(paragraph), firstWidth_(firstWidth), width_(width), measure_(measure) {}

  std::vector<Fragments> Lines() {
    const std::vector<Word> words = Words(paragraph_);
    for (std::size_t i = 0; i < words.size(); ++i) Place(words[i], i == 0);
    if (!line_.empty() || lines_.empty())
      lines_.push_back(line_.empty() ? Fragments{{0, ""}} : line_);
    return lines_;
  }

  int Width(const Fragments& fragments) const {
    int width = 0;
    for (const Fragment& fragment : fragments)
      width += measure_.width(paragraph_.runs[fragment.run].style, fragment.text);
    return width;
  }

 private:
  int Available() const { return lines_.empty() ? firstWidth_ : width_; }

  // Spaces that open a paragraph are kept; those at a break are not.
  void Place(const Word& word, bool first) {
    Fragments joined = line_;
    if (!line_.empty() || first) Append(joined, word.spaceBefore);
    Append(joined, word.body);
    if (Width(joined) <= Available()) return void(line_ = joined);
    if (!line_.empty()) lines_.push_back(line_);
    line_.clear();
    if (Width(word.body) <= Available()) return void(line_ = word.body);
    Cut(word.body);
  }

  // A word wider than a line fills lines character by character; its
  // rest stays open for the words after it.
  void Cut(const Fragments& body) {
    for (const Fragment& fragment : body)
      for (const char c : fragment.text) {
        Fragments longer = line_;
        Append(longer, fragment.run, std::string(1, c));
        if (!line_.empty() && Width(longer) > Available()) {
          lines_.push_back(line_);
          longer = Fragments{{fragment.run, std::string(1, c)}};
        }
        line_ = longer;
      }
  }

  const RichParagraph& paragraph_;
  const int firstWidth_, width_;
  const TextMeasure& measure_;
  Fragments line_;
  std::vector<Fragments> lines_;
};

// A line placed across the page, not yet on one.
struct Line {
  std::vector<PlacedText> pieces;  // baselines 0
  FontMetrics height;
  bool blank = true;  // nothing to see
};

void Include(Line& line, const RunStyle& style, const TextMeasure& measure) {
  const FontMetrics metrics = measure.metrics(style);
  line.height.ascent = std::max(line.height.ascent, metrics.ascent);
  line.height.descent = std::max(line.height.descent, metrics.descent);
}

class ParagraphPlacer {
 public:
  ParagraphPlacer(const RichParagraph& paragraph, const PageSize& page, const TextMeasure& measure)
      : paragraph_(paragraph), measure_(measure) {
    left_ = std::max(0, Units(paragraph.leftIndent, page));
    right_ = std::max(left_ + 1, page.width - Units(paragraph.rightIndent, page));
    firstLeft_ = std::max(0, left_ + Units(paragraph.firstIndent, page));
    if (paragraph.bullet) PlaceBullet();
  }

  void AddLines(std::vector<Line>& lines) {
    LineBreaker breaker(paragraph_, right_ - firstLeft_, right_ - left_, measure_);
    for (const Fragments& fragments : breaker.Lines())
      lines.push_back(PlaceLine(fragments, breaker.Width(fragments)));
  }

 private:
  static int Units(int twips, const PageSize& page) {
    return static_cast<int>(static_cast<long long>(twips) * page.dotsPerInch / 1440);
  }

  // The bullet hangs at the first line's indent; the text keeps clear of it.
  void PlaceBullet() {
    bullet_.style = BulletStyle(paragraph_.runs.front().style);
    bullet_.text = BulletText;
    bullet_.x = firstLeft_;
    const int width = measure_.width(bullet_.style, bullet_.text);
    firstLeft_ = std::max(left_, firstLeft_ + 2 * width);
  }

  Line PlaceLine(const Fragments& fragments, int width) {
    const int left = firstLine_ ? firstLeft_ : left_;
    Line line;
    if (firstLine_ && paragraph_.bullet) {
      line.pieces.push_back(bullet_);
      Include(line, bullet_.style, measure_);
      line.blank = false;
    }
    firstLine_ = false;
    int x = AlignedLeft(left, width);
    for (const Fragment& fragment : fragments) {
      const RunStyle& style = paragraph_.runs[fragment.run].style;
      Include(line, style, measure_);
      if (fragment.text.find_first_not_of(' ') != std::string::npos) line.blank = false;
      line.pieces.push_back(PlacedText{x, 0, style, fragment.text});
      x += measure_.width(style, fragment.text);
    }
    return line;
  }

  int AlignedLeft(int left, int width) const {
    const int room = std::max(0, right_ - left - width);
    if (paragraph_.alignment == Alignment::Right) return left + room;
    if (paragraph_.alignment == Alignment::Center) return left + room / 2;
    return left;
  }

  const RichParagraph& paragraph_;
  const TextMeasure& measure_;
  int left_ = 0, right_ = 1, firstLeft_ = 0;
  bool firstLine_ = true;
  PlacedText bullet_;
};

std::vector<LaidOutPage> Paginate(const std::vector<Line>& lines, int pageHeight) {
  std::vector<LaidOutPage> pages(1);
  int top = 0;
  for (const Line& line : lines) {
    const int height = line.height.ascent + line.height.descent;
    if (top > 0 && top + height > pageHeight) {
      pages.emplace_back();
      top = 0;
    }
    for (PlacedText piece : line.pieces) {
      piece.baseline = top + line.height.ascent;
      pages.back().push_back(std::move(piece));
    }
    top += height;
  }
  return pages;
}

}  // namespace

RunStyle BulletStyle(const RunStyle& firstRun) {
  RunStyle style;
  style.face = "Symbol";
  style.charset = 2;
  style.halfPoints = firstRun.halfPoints;
  return style;
}

std::vector<LaidOutPage> LayOutPages(const std::vector<RichParagraph>& paragraphs,
                                     const PageSize& page, const TextMeasure& measure) {
  std::vector<Line> lines;
  for (const RichParagraph& paragraph : paragraphs)
    if (!paragraph.runs.empty()) ParagraphPlacer(paragraph, page, measure).AddLines(lines);
  while (!lines.empty() && lines.back().blank) lines.pop_back();
  return Paginate(lines, page.height);
}

}  // namespace core
