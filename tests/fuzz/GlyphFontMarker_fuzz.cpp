// Feeds the fuzz input to the glyph font marker whole and in pieces whose
// sizes also come from the input: the result must not depend on where the
// file's reads cut the stream, and nothing changes outside a font table.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "GlyphFontMarker.h"
#include "InPieces.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const std::string stream = provider.ConsumeRandomLengthString(size);
  std::string whole;
  core::GlyphFontMarker first("Persian");
  first.Feed(stream.data(), stream.size(), whole);
  first.Finish(whole);

  std::string inPieces;
  core::GlyphFontMarker second("Persian");
  FeedInPieces(provider, stream,
               [&](const char* piece, std::size_t count) { second.Feed(piece, count, inPieces); });
  second.Finish(inPieces);
  if (whole != inPieces) std::abort();
  if (stream.find("\\fonttbl") == std::string::npos && whole != stream) std::abort();
  return 0;
}
