// Feeds the fuzz input to the glyph font marker whole and in pieces whose
// sizes also come from the input: the result must not depend on where the
// file's reads cut the stream, and nothing changes outside a font table.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "GlyphFontMarker.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const std::string stream = provider.ConsumeRandomLengthString(size);
  std::string whole;
  core::GlyphFontMarker first("Persian");
  first.Feed(stream.data(), stream.size(), whole);
  first.Finish(whole);

  std::string inPieces;
  core::GlyphFontMarker second("Persian");
  for (std::size_t at = 0; at < stream.size();) {
    const std::size_t left = stream.size() - at;
    const std::size_t piece =
        provider.remaining_bytes() > 0 ? provider.ConsumeIntegralInRange<std::size_t>(1, left) : left;
    // Each piece in its own allocation, so that a read past it is caught.
    const std::vector<char> copy(stream.begin() + static_cast<std::ptrdiff_t>(at),
                                 stream.begin() + static_cast<std::ptrdiff_t>(at + piece));
    second.Feed(copy.data(), copy.size(), inPieces);
    at += piece;
  }
  second.Finish(inPieces);
  if (whole != inPieces) std::abort();
  if (stream.find("\\fonttbl") == std::string::npos && whole != stream) std::abort();
  return 0;
}
