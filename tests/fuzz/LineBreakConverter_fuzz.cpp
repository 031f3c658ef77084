// Streams the fuzz input through the line-break converter in chunks whose
// sizes also come from the input, and checks the result against the plain
// whole-input model.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

#include "LineBreakModel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const std::string text = provider.ConsumeRandomLengthString(size);
  std::vector<std::size_t> sizes;
  for (std::size_t left = text.size(); left > 0 && provider.remaining_bytes() > 0;) {
    sizes.push_back(provider.ConsumeIntegralInRange<std::size_t>(0, left));
    left -= sizes.back();
  }
  if (ConvertInChunks(text, sizes) != ConvertLineBreaksWhole(text)) std::abort();
  return 0;
}
