#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "ConvertCommand.h"
#include "GlyphToUnicode.h"
#include "UnicodeToGlyph.h"
#include "Utf.h"

namespace {

constexpr std::size_t TextSize = 10 << 20;

// 10 MB of glyph text: lines of Persian words with a ZWNJ, lam-alef, a
// Latin word and a number now and then, as a document holds them.
const std::string& GlyphText() {
  static const std::string text = [] {
    const char* const words[] = {"می‌روم", "سلام",  "کتاب",   "«خانه»",         "دانشگاه",
                                 "پژوهش",         "ایران", "Dabiro", "۱۴۰۴",           "چهارشنبه",
                                 "غذا",           "علی",   "لطفا",   "هم‌چنین"};
    std::mt19937 random(7);
    std::u32string unicode;
    std::size_t lineLength = 0;
    // More than enough, as the glyph text is shorter: nothing is padded.
    while (unicode.size() < TextSize + TextSize / 4) {
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

// About 300 KB of RTF as the editor saves it: the glyph text's lines as
// paragraphs, every fifth word bold.
const std::string& GlyphRtf() {
  static const std::string rtf = [] {
    std::string document =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset2 "
        "Persian;}}\n\\pard\\qr\\f0\\fs54 ";
    const std::string& text = GlyphText();
    std::size_t words = 0;
    for (std::size_t index = 0; document.size() < 300000; ++index) {
      const auto code = static_cast<unsigned char>(text[index]);
      if (code == '\r') continue;
      if (code == '\n') {
        document += "\\par\n";
      } else if (code == ' ') {
        document += ++words % 5 ? " " : " \\b ";
        if (words % 5 == 1) document += "\\b0 ";
      } else if (code >= 0x80) {
        static const char hex[] = "0123456789abcdef";
        document += "\\'";
        document += hex[code >> 4];
        document += hex[code & 15];
      } else {
        document += static_cast<char>(code);
      }
    }
    return document + "\\par}";
  }();
  return rtf;
}

// What dabiro-convert does between reading IN and writing OUT.
void ConvertRtf(benchmark::State& state, const char* command, const char* output) {
  const core::ConvertRequest request = core::ParseConvertArguments({command, "in.rtf", output});
  std::string input = GlyphRtf();
  if (request.direction == core::ConvertDirection::FromUnicode)
    input = core::ConvertDocument(core::ParseConvertArguments({"to-unicode", "in.rtf", "out.rtf"}),
                                  input)
                .bytes;
  for (auto _ : state) benchmark::DoNotOptimize(core::ConvertDocument(request, input).bytes.data());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}
BENCHMARK_CAPTURE(ConvertRtf, ToUnicodeRtf, "to-unicode", "out.rtf")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ConvertRtf, ToHtml, "to-unicode", "out.html")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ConvertRtf, FromUnicodeRtf, "from-unicode", "out.rtf")
    ->Unit(benchmark::kMillisecond);

}  // namespace
