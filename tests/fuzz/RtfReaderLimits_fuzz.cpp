// Feeds the fuzz input to the RTF reader limits whole and in pieces whose
// sizes also come from the input: the verdict must not depend on where the
// control's reads cut the stream.
#include <cstdint>
#include <cstdlib>

#include "InPieces.h"
#include "RtfReaderLimits.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const std::string stream = provider.ConsumeRandomLengthString(size);
  core::RtfReaderLimits whole;
  const bool admitted = whole.Admit(stream.data(), stream.size());

  core::RtfReaderLimits inPieces;
  bool piecesAdmitted = true;
  FeedInPieces(provider, stream, [&](const char* piece, std::size_t count) {
    piecesAdmitted = inPieces.Admit(piece, count);
  });
  if (admitted != piecesAdmitted) std::abort();
  return 0;
}
