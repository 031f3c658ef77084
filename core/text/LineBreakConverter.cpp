#include "LineBreakConverter.h"

#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace core {

namespace {
constexpr std::size_t BlockSize = 64;
// ConvertBlock reads the byte after a block's last special and a whole
// block from there: up to two blocks from its start.
constexpr std::size_t BlockReach = 2 * BlockSize;

// What a block holds. A CR followed by NUL pairs with whatever follows the
// NULs, possibly beyond the block, so such a block goes byte by byte.
struct BlockScan {
  std::uint64_t specials;  // bit k: byte k is CR, LF or NUL
  bool crBeforeNul;
};

#ifdef __SSE2__
// One sixteenth of a block: its specials, and its CRs followed by NUL.
BlockScan ScanLane(const char* lane) {
  const auto load = [](const char* at) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
  };
  const __m128i bytes = load(lane);
  const __m128i zero = _mm_setzero_si128();
  const __m128i cr = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r'));
  const __m128i lf = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'));
  const __m128i nul = _mm_cmpeq_epi8(bytes, zero);
  const __m128i nulNext = _mm_cmpeq_epi8(load(lane + 1), zero);
  return {static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(cr, lf), nul))),
          _mm_movemask_epi8(_mm_and_si128(cr, nulNext)) != 0};
}

BlockScan ScanBlock(const char* block) {
  BlockScan scan{0, false};
  for (std::size_t lane = 0; lane < BlockSize; lane += 16) {
    const BlockScan part = ScanLane(block + lane);
    scan.specials |= part.specials << lane;
    scan.crBeforeNul |= part.crBeforeNul;
  }
  return scan;
}
#else
BlockScan ScanBlock(const char* block) {
  BlockScan scan{0, false};
  for (std::size_t k = 0; k < BlockSize; ++k) {
    const char c = block[k];
    if (c == '\r' || c == '\n' || c == '\0') scan.specials |= std::uint64_t{1} << k;
    if (c == '\r' && block[k + 1] == '\0') scan.crBeforeNul = true;
  }
  return scan;
}
#endif

char* PutLineBreak(char* out) {
  out[0] = '\r';
  out[1] = '\n';
  return out + 2;
}

// What a special byte inside a block writes: nothing for NUL, nothing for
// a CR whose LF follows (the LF writes the pair), else a line break.
std::size_t BreakLength(char special, char next) {
  const bool silent = (special == '\0') | ((special == '\r') & (next == '\n'));
  return silent ? 0 : 2;
}

// Converts the block at in without branching on where its line breaks
// fall: every run of plain bytes is placed with one whole-block store, and
// whatever a store writes past the run is overwritten by the next one.
// Returns false, having written nothing, for a block the byte-wise path
// must take.
bool ConvertBlock(const char* in, char*& out) {
  const BlockScan scan = ScanBlock(in);
  if (scan.crBeforeNul) return false;
  std::uint64_t specials = scan.specials;
  const char* run = in;
  char* to = out;
  std::memcpy(to, run, BlockSize);
  while (specials != 0) {
    const char* at = in + __builtin_ctzll(specials);
    specials &= specials - 1;
    to += at - run;
    PutLineBreak(to);
    to += BreakLength(at[0], at[1]);
    run = at + 1;
    std::memcpy(to, run, BlockSize);
  }
  out = to + (in + BlockSize - run);
  return true;
}

// Converts whole blocks while BlockReach bytes remain; returns the count
// consumed. The room they write past the result stays within MaxOutput(n)
// because at least that much input is still unread.
std::size_t ConvertBlocks(const char* in, std::size_t n, char*& out) {
  std::size_t done = 0;
  while (n - done >= BlockReach && ConvertBlock(in + done, out)) done += BlockSize;
  return done;
}
}  // namespace

std::size_t LineBreakConverter::MaxInput(std::size_t outputCapacity) {
  return outputCapacity < 3 ? 0 : (outputCapacity - 1) / 2;
}

// A CR held back, the bytes the blocks leave at the end, and blocks with a
// CR before NUL go byte by byte.
std::size_t LineBreakConverter::Convert(const char* in, std::size_t n, char* out) {
  char* const start = out;
  std::size_t i = 0;
  while (i < n) {
    if (!pendingCr_) i += ConvertBlocks(in + i, n - i, out);
    if (i < n) out = Step(in[i++], out);
  }
  return static_cast<std::size_t>(out - start);
}

std::size_t LineBreakConverter::Finish(char* out) {
  if (!pendingCr_) return 0;
  pendingCr_ = false;
  PutLineBreak(out);
  return 2;
}

char* LineBreakConverter::Step(char c, char* out) {
  if (c == '\0') return out;
  if (pendingCr_) {
    pendingCr_ = false;
    out = PutLineBreak(out);
    if (c == '\n') return out;
  }
  if (c == '\r')
    pendingCr_ = true;
  else if (c == '\n')
    out = PutLineBreak(out);
  else
    *out++ = c;
  return out;
}

}  // namespace core
