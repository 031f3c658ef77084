#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "LineBreakConverter.h"

namespace {

constexpr std::size_t TextSize = 1 << 20;

// 1 MB of text lines of 10 to 90 letters (Latin and high bytes), ending in
// CR LF, LF or CR at random.
const std::string& MixedText() {
  static const std::string text = [] {
    std::mt19937 random(7);
    std::string result;
    const char* const breaks[] = {"\r\n", "\n", "\r"};
    while (result.size() < TextSize) {
      const auto length = std::uniform_int_distribution<int>(10, 90)(random);
      for (int i = 0; i < length; ++i)
        result += static_cast<char>(i % 7 == 6 ? ' ' : 0xC1 + random() % 60);
      result += breaks[random() % 3];
    }
    result.resize(TextSize);
    return result;
  }();
  return text;
}

void BM_LineBreakConverter(benchmark::State& state) {
  const std::string& text = MixedText();
  std::vector<char> out(core::LineBreakConverter::MaxOutput(text.size()));
  for (auto _ : state) {
    core::LineBreakConverter converter;
    benchmark::DoNotOptimize(converter.Convert(text.data(), text.size(), out.data()));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LineBreakConverter);

void BM_MemcpySameBuffer(benchmark::State& state) {
  const std::string& text = MixedText();
  std::vector<char> out(core::LineBreakConverter::MaxOutput(text.size()));
  for (auto _ : state) {
    std::memcpy(out.data(), text.data(), text.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_MemcpySameBuffer);

}  // namespace
