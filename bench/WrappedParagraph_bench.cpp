#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "UnicodeToGlyph.h"
#include "Utf.h"
#include "WrappedParagraph.h"

namespace {

constexpr std::size_t DocumentSize = 100 << 10;

// 100 KB of glyph text in paragraphs of 20 to 400 words, with a Latin word
// and a number now and then, as a typed document holds them.
const std::vector<std::string>& Paragraphs() {
  static const std::vector<std::string> paragraphs = [] {
    const char* const words[] = {"می‌روم",
                                 "سلام",
                                 "کتاب",
                                 "«خانه»",
                                 "دانشگاه",
                                 "پژوهش",
                                 "ایران",
                                 "Dabiro",
                                 "۱۴۰۴",
                                 "چهارشنبه",
                                 "غذا",
                                 "علی",
                                 "لطفا",
                                 "هم‌چنین",
                                 "50%"};
    std::mt19937 random(7);
    std::vector<std::string> result;
    std::size_t size = 0;
    while (size < DocumentSize) {
      std::u32string unicode;
      const auto count = std::uniform_int_distribution<int>(20, 400)(random);
      for (int word = 0; word < count; ++word) {
        std::size_t fault = 0;
        if (word) unicode += U' ';
        core::UnicodeFromUtf8(words[random() % std::size(words)], unicode, fault);
      }
      core::Unconvertibles problems;
      result.push_back(core::UnicodeToGlyphs(unicode, problems));
      size += result.back().size() + 2;
    }
    return result;
  }();
  return paragraphs;
}

// The editor's 27-pixel glyph font is about 12 pixels a code; a window of
// 600 pixels holds some 50 codes a line.
core::AdvanceTable Advances() {
  core::AdvanceTable table;
  for (std::size_t code = 0; code < table.size(); ++code)
    table[code] = static_cast<std::int32_t>(8 + code % 9);
  table[' '] = 7;
  return table;
}

// Re-lays the whole document at a new width: what a change of the
// window's width, the font or its size asks of the layout.
void BM_WrapDocument(benchmark::State& state) {
  const std::vector<std::string>& paragraphs = Paragraphs();
  const core::AdvanceTable table = Advances();
  std::vector<std::vector<std::int32_t>> advances;
  for (const std::string& paragraph : paragraphs)
    advances.push_back(core::AdvancesOf(paragraph, table));
  core::ParagraphWrapper wrapper;
  std::size_t lines = 0;
  for (auto _ : state) {
    lines = 0;
    for (std::size_t index = 0; index < paragraphs.size(); ++index)
      lines += wrapper.Wrap(paragraphs[index], advances[index], state.range(0)).LineCount();
    benchmark::DoNotOptimize(lines);
  }
  state.counters["lines"] = static_cast<double>(lines);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * DocumentSize));
}
BENCHMARK(BM_WrapDocument)->Arg(300)->Arg(600)->Arg(1200)->Unit(benchmark::kMillisecond);

}  // namespace
