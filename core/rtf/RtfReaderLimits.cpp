#include "RtfReaderLimits.h"

#include <algorithm>

namespace core {

namespace {

// The reader's own idea of letters and digits: ASCII only.
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Only these control words start collecting names; one letter more than
// the longer of them tells every other word apart.
constexpr std::size_t KeptWordLetters = sizeof "stylesheet";

}  // namespace

bool RtfReaderLimits::Admit(const char* bytes, std::size_t size) {
  for (std::size_t i = 0; i < size && !exceeded_; ++i) Step(bytes[i]);
  return !exceeded_;
}

void RtfReaderLimits::Step(char c) {
  switch (state_) {
    case State::Text:
      TextByte(c);
      break;
    case State::Backslash:
      if (IsLetter(c)) {
        state_ = State::Word;
        word_.assign(1, c);
        wordLength_ = 1;
        negative_ = false;
        parameter_ = 0;
      } else {
        // A symbol such as \{ or \~, or the start of a hex escape \'hh;
        // its backslash counts now that it is not a word's.
        CountNameBytes(2);
        state_ = c == '\'' ? State::HexEscape : State::Text;
        hexLeft_ = 2;
      }
      break;
    case State::HexEscape:
      // The reader takes the next two bytes whatever they are.
      CountNameBytes(1);
      if (--hexLeft_ == 0) state_ = State::Text;
      break;
    case State::Word:
    case State::Parameter:
      WordByte(c);
      break;
  }
}

void RtfReaderLimits::TextByte(char c) {
  switch (c) {
    case '{':
      nameLength_ = 0;
      if (++depth_ > MaxDepth || closedTooOften_) exceeded_ = true;
      break;
    case '}':
      nameLength_ = 0;
      if (depth_ == 0) {
        closedTooOften_ = true;
        break;
      }
      --depth_;
      if (inNames_ && depth_ < namesDepth_) inNames_ = false;
      break;
    case ';':
      nameLength_ = 0;
      break;
    case '\\':
      state_ = State::Backslash;
      break;
    default:
      CountNameBytes(1);
  }
}

void RtfReaderLimits::WordByte(char c) {
  const bool letter = state_ == State::Word && IsLetter(c);
  const bool sign = state_ == State::Word && c == '-';
  if (letter || sign || IsDigit(c)) {
    if (++wordLength_ > MaxControlWord) exceeded_ = true;
    if (letter && word_.size() < KeptWordLetters) word_ += c;
    if (sign) negative_ = true;
    if (IsDigit(c))
      parameter_ = std::min<std::uint32_t>(parameter_ * 10 + (c - '0'), MaxTabPosition + 1);
    if (!letter) state_ = State::Parameter;
    return;
  }
  EndWord();
  // A space ends the word and belongs to it; anything else starts the next
  // token.
  if (c != ' ') TextByte(c);
}

void RtfReaderLimits::EndWord() {
  state_ = State::Text;
  nameLength_ = 0;
  if ((word_ == "tx" || word_ == "tb") && (negative_ || parameter_ > MaxTabPosition))
    exceeded_ = true;
  if (!inNames_ && (word_ == "fonttbl" || word_ == "stylesheet")) {
    inNames_ = true;
    namesDepth_ = depth_;
  }
}

void RtfReaderLimits::CountNameBytes(std::size_t count) {
  if (!inNames_) return;
  nameLength_ += count;
  if (nameLength_ > MaxName) exceeded_ = true;
}

}  // namespace core
