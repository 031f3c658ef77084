#pragma once
#include <cstddef>

namespace core {

// Turns every CR LF, lone CR and lone LF of a byte stream into CR LF and
// drops NUL bytes, one chunk at a time. A CR that ends a chunk is held
// back until the next byte (or Finish) shows whether an LF follows, so the
// result never depends on where the chunks were cut. NULs are dropped
// before pairing: CR NUL LF is one line break.
//
// A chunk may convert to nothing (only NULs, or a final CR held back): a
// reader must not take an empty result for the end of its input.
class LineBreakConverter {
 public:
  // The most Convert can write for n bytes: two for each byte, plus one
  // when a CR held back from the previous chunk meets a letter (CR, 'a'
  // gives CR LF 'a').
  static constexpr std::size_t MaxOutput(std::size_t n) { return n == 0 ? 0 : 2 * n + 1; }

  // The largest n with MaxOutput(n) <= outputCapacity; 0 below 3.
  static std::size_t MaxInput(std::size_t outputCapacity);

  // Converts n bytes into out, which must have room for MaxOutput(n);
  // returns the count written.
  std::size_t Convert(const char* in, std::size_t n, char* out);

  // Ends the input: writes a held-back CR as CR LF (out needs room for 2)
  // and returns the count written.
  std::size_t Finish(char* out);

  bool Pending() const { return pendingCr_; }

 private:
  char* Step(char c, char* out);

  bool pendingCr_ = false;
};

}  // namespace core
