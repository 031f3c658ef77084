#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "GlyphToUnicode.h"
#include "UnicodeToGlyph.h"
#include "Utf.h"

namespace {

constexpr std::size_t TextSize = 10 << 20;

// 10 MB of glyph text: lines of Persian words with a ZWNJ, lam-alef, a
// Latin word and a number now and then, as a document holds them.
const std::string& GlyphText() {
  static const std::string text = [] {
    const char* const words[] = {"می‌روم", "سلام", "کتاب", "«خانه»", "دانشگاه", "پژوهش", "ایران",
                                 "Dabiro", "۱۴۰۴", "چهارشنبه", "غذا", "علی", "لطفا", "هم‌چنین"};
    std::mt19937 random(7);
    std::u32string unicode;
    std::size_t lineLength = 0;
    while (unicode.size() < TextSize) {
      std::size_t fault = 0;
      core::UnicodeFromUtf8(words[random() % std::size(words)], unicode, fault);
      lineLength += 8;
      unicode += lineLength > 80 ? U"\r\n" : U" ";
      if (lineLength > 80) lineLength = 0;
    }
    core::Unconvertibles problems;
    std::string glyphs = core::UnicodeToGlyphs(unicode, problems);
    glyphs.resize(TextSize);
    return glyphs;
  }();
  return text;
}

const std::u32string& UnicodeText() {
  static const std::u32string text = [] {
    core::Unconvertibles problems;
    return core::GlyphsToUnicode(GlyphText(), problems);
  }();
  return text;
}

// Throughput counts the glyph text's bytes in both directions.
void BM_GlyphsToUnicode(benchmark::State& state) {
  const std::string& glyphs = GlyphText();
  std::u32string out;
  out.reserve(UnicodeText().size());
  core::GlyphToUnicode converter;
  for (auto _ : state) {
    core::Unconvertibles problems;
    out.clear();
    converter.Convert(glyphs, out, problems);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * glyphs.size()));
}
BENCHMARK(BM_GlyphsToUnicode)->Unit(benchmark::kMillisecond);

void BM_UnicodeToGlyphs(benchmark::State& state) {
  const std::u32string& unicode = UnicodeText();
  std::string out;
  out.reserve(GlyphText().size());
  core::UnicodeToGlyph converter;
  for (auto _ : state) {
    core::Unconvertibles problems;
    out.clear();
    converter.Convert(unicode, out, problems);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * GlyphText().size()));
}
BENCHMARK(BM_UnicodeToGlyphs)->Unit(benchmark::kMillisecond);

void BM_MemcpyGlyphText(benchmark::State& state) {
  const std::string& glyphs = GlyphText();
  std::vector<char> out(glyphs.size());
  for (auto _ : state) {
    std::memcpy(out.data(), glyphs.data(), glyphs.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * glyphs.size()));
}
BENCHMARK(BM_MemcpyGlyphText)->Unit(benchmark::kMillisecond);

}  // namespace
