#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "LineBreakConverter.h"

// The line-break rule read plainly, over the whole input at once: NULs are
// dropped, then every CR LF, lone CR and lone LF becomes CR LF.
inline std::string ConvertLineBreaksWhole(const std::string& text) {
  std::string plain;
  for (char c : text)
    if (c != '\0') plain += c;
  std::string result;
  for (std::size_t i = 0; i < plain.size(); ++i) {
    if (plain[i] != '\r' && plain[i] != '\n') {
      result += plain[i];
      continue;
    }
    result += "\r\n";
    if (plain[i] == '\r' && i + 1 < plain.size() && plain[i + 1] == '\n') ++i;
  }
  return result;
}

// Streams text through one converter in chunks of the given sizes (the rest
// of the text is the last chunk). Every chunk and every output buffer is
// its own allocation of exactly the documented size, so the address
// sanitizer catches a read or write past either.
inline std::string ConvertInChunks(const std::string& text, const std::vector<std::size_t>& sizes) {
  core::LineBreakConverter converter;
  std::string result;
  std::size_t start = 0;
  auto convertChunk = [&](std::size_t size) {
    const std::vector<char> chunk(text.begin() + start, text.begin() + start + size);
    std::vector<char> out(core::LineBreakConverter::MaxOutput(size));
    result.append(out.data(), converter.Convert(chunk.data(), size, out.data()));
    start += size;
  };
  for (std::size_t size : sizes) convertChunk(size);
  convertChunk(text.size() - start);
  std::vector<char> tail(2);
  result.append(tail.data(), converter.Finish(tail.data()));
  return result;
}
