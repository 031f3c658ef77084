#include "LineWrap.h"

namespace core {

namespace {

using Measure = std::function<int(const std::string&)>;

std::vector<std::string> Paragraphs(const std::string& text) {
  std::vector<std::string> paragraphs(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      paragraphs.back() += c;
      continue;
    }
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    paragraphs.emplace_back();
  }
  return paragraphs;
}

// The longest part of word from start that fits, at least one character.
std::size_t FittingPart(const std::string& word, std::size_t start, int width, const Measure& measure) {
  std::size_t length = 1;
  while (start + length < word.size() && measure(word.substr(start, length + 1)) <= width) ++length;
  return length;
}

void WrapParagraph(const std::string& paragraph, int width, const Measure& measure,
                   std::vector<std::string>& lines) {
  std::string line;
  std::size_t at = 0;
  do {
    const std::size_t space = paragraph.find(' ', at);
    const std::string word = paragraph.substr(at, space == std::string::npos ? std::string::npos : space - at);
    at = space == std::string::npos ? paragraph.size() + 1 : space + 1;
    const std::string joined = line.empty() ? word : line + ' ' + word;
    if (measure(joined) <= width || (line.empty() && word.empty())) {
      line = joined;
      continue;
    }
    if (!line.empty()) lines.push_back(line);
    std::size_t start = 0;
    for (;;) {
      const std::size_t cut = FittingPart(word, start, width, measure);
      if (start + cut >= word.size()) break;
      lines.push_back(word.substr(start, cut));
      start += cut;
    }
    line = word.substr(start);
  } while (at <= paragraph.size());
  lines.push_back(line);
}

}  // namespace

std::vector<std::string> WrapText(const std::string& text, int width, const Measure& measure) {
  std::vector<std::string> lines;
  for (const std::string& paragraph : Paragraphs(text)) WrapParagraph(paragraph, width, measure, lines);
  return lines;
}

}  // namespace core
