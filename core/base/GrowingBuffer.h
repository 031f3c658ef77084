#pragma once
#include <cstddef>
#include <string>

namespace core {

// The usual path buffer: most answers fit at the first try.
constexpr std::size_t FirstBufferSize = 260;

// Asks query(buffer, size) with a growing buffer until its answer, a
// length without the NUL, leaves room to spare; nextSize(answer, size)
// says how large the next try is.
template <typename Query, typename NextSize>
std::string ReadGrowing(Query query, NextSize nextSize) {
  std::string buffer(FirstBufferSize, '\0');
  for (;;) {
    const std::size_t length = query(&buffer[0], buffer.size());
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(nextSize(length, buffer.size()));
  }
}

// For system queries that answer a buffer too small with the size they
// need, NUL included, and success with the length without it (the Windows
// and system directory). A failed query (0) gives an empty text.
template <typename Query>
std::string ReadWithReportedSize(Query query) {
  return ReadGrowing(query, [](std::size_t needed, std::size_t size) {
    return needed > size ? needed : size * 2;
  });
}

// For system queries that cut what does not fit and answer only how much
// they wrote (the program's own path): a full buffer may hold a cut text,
// so grow until the answer leaves room to spare.
template <typename Query>
std::string ReadUntilItFits(Query query) {
  return ReadGrowing(query, [](std::size_t, std::size_t size) { return size * 2; });
}

}  // namespace core
