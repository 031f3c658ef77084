#pragma once
// Hands a stream to a consumer in pieces whose sizes come from the rest of
// the fuzz input, each piece in its own allocation so that a read past it
// is caught.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

template <typename Consume>
void FeedInPieces(FuzzedDataProvider& provider, const std::string& stream, Consume consume) {
  for (std::size_t at = 0; at < stream.size();) {
    const std::size_t left = stream.size() - at;
    const std::size_t piece = provider.remaining_bytes() > 0
                                  ? provider.ConsumeIntegralInRange<std::size_t>(1, left)
                                  : left;
    const std::vector<char> copy(stream.begin() + static_cast<std::ptrdiff_t>(at),
                                 stream.begin() + static_cast<std::ptrdiff_t>(at + piece));
    consume(copy.data(), copy.size());
    at += piece;
  }
}
