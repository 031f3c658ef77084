// Feeds the fuzz input to the RTF reader limits whole and in pieces whose
// sizes also come from the input: the verdict must not depend on where the
// control's reads cut the stream.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "RtfReaderLimits.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const std::string stream = provider.ConsumeRandomLengthString(size);
  core::RtfReaderLimits whole;
  const bool admitted = whole.Admit(stream.data(), stream.size());

  core::RtfReaderLimits inPieces;
  bool piecesAdmitted = true;
  for (std::size_t at = 0; at < stream.size();) {
    const std::size_t left = stream.size() - at;
    const std::size_t piece =
        provider.remaining_bytes() > 0 ? provider.ConsumeIntegralInRange<std::size_t>(1, left) : left;
    // Each piece in its own allocation, so that a read past it is caught.
    const std::vector<char> copy(stream.begin() + static_cast<std::ptrdiff_t>(at),
                                 stream.begin() + static_cast<std::ptrdiff_t>(at + piece));
    piecesAdmitted = inPieces.Admit(copy.data(), copy.size());
    at += piece;
  }
  if (admitted != piecesAdmitted) std::abort();
  return 0;
}
