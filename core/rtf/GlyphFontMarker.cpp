#include "GlyphFontMarker.h"

#include "AsciiText.h"

namespace core {

namespace {
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}
constexpr char SymbolCharset[] = "\\fcharset2";
}  // namespace

void GlyphFontMarker::Feed(const char* bytes, std::size_t count, std::string& out) {
  std::size_t i = 0;
  for (; i < count && table_ != Table::After; ++i) {
    const bool held = table_ == Table::Inside && !passing_;
    (held ? entry_ : out) += bytes[i];
    Step(bytes[i], out);
    // Checked at every byte: an entry of escapes or control words alone
    // would otherwise be held back whole.
    if (table_ == Table::Inside && !passing_ && entry_.size() > MaxEntry) PassEntry(out);
  }
  out.append(bytes + i, count - i);
}

void GlyphFontMarker::Finish(std::string& out) {
  out += entry_;
  entry_.clear();
}

void GlyphFontMarker::Step(char c, std::string& out) {
  switch (state_) {
    case State::Text:
      TextByte(c, out);
      break;
    case State::Backslash:
      if (IsLetter(c)) {
        state_ = State::Word;
        word_.assign(1, c);
      } else if (c == '\'') {
        state_ = State::HexEscape;
        hexLeft_ = 2;
        hexValue_ = 0;
      } else {
        state_ = State::Text;
      }
      break;
    case State::HexEscape:
      hexValue_ = hexValue_ * 16 + static_cast<unsigned>(HexDigit(c));
      if (--hexLeft_ == 0) {
        state_ = State::Text;
        if (table_ == Table::Inside && AtEntryLevel() && !nameEnded_)
          name_ += static_cast<char>(hexValue_);
      }
      break;
    case State::Word:
    case State::Parameter:
      WordByte(c, out);
      break;
  }
}

void GlyphFontMarker::TextByte(char c, std::string& out) {
  switch (c) {
    case '\\':
      state_ = State::Backslash;
      return;
    case '{':
      ++depth_;
      return;
    case '}':
      if (depth_ == 0) return;
      --depth_;
      if (table_ != Table::Inside) return;
      if (depth_ < tableDepth_) {
        EndEntry(out);
        table_ = Table::After;
      } else if (depth_ == tableDepth_) {
        EndEntry(out);
      }
      return;
    case ';':
      if (table_ != Table::Inside || !AtEntryLevel()) return;
      nameEnded_ = true;
      if (depth_ == tableDepth_) EndEntry(out);
      return;
    case '\r':
    case '\n':
      return;
    default:
      if (table_ == Table::Inside && AtEntryLevel() && !nameEnded_) name_ += c;
  }
}

void GlyphFontMarker::WordByte(char c, std::string& out) {
  const bool held = table_ == Table::Inside && !passing_;
  if (state_ == State::Word && IsLetter(c)) {
    word_ += c;
    return;
  }
  if (IsDigit(c) || (state_ == State::Word && c == '-')) {
    if (state_ == State::Word) digitsStart_ = held ? Here() : std::string::npos;
    state_ = State::Parameter;
    return;
  }
  // The parameter ends before this byte.
  const std::size_t end = held ? Here() : std::string::npos;
  const bool entryWord = table_ == Table::Inside && held && AtEntryLevel();
  if (entryWord && word_ == "f" && state_ == State::Parameter) fontNumberEnd_ = end;
  if (entryWord && word_ == "fcharset" && state_ == State::Parameter) {
    charsetStart_ = digitsStart_;
    charsetEnd_ = end;
  }
  EndWord();
  if (c != ' ') TextByte(c, out);
}

void GlyphFontMarker::EndWord() {
  state_ = State::Text;
  if (table_ == Table::Before && word_ == "fonttbl") {
    table_ = Table::Inside;
    tableDepth_ = depth_;
  }
}

bool GlyphFontMarker::IsGlyphFont() const {
  const auto first = name_.find_first_not_of(' ');
  if (first == std::string::npos) return false;
  const auto last = name_.find_last_not_of(' ');
  return UpperAscii(name_.substr(first, last - first + 1)) == UpperAscii(face_);
}

void GlyphFontMarker::PassEntry(std::string& out) {
  out += entry_;
  entry_.clear();
  passing_ = true;
}

void GlyphFontMarker::EndEntry(std::string& out) {
  if (!passing_ && IsGlyphFont()) {
    if (charsetStart_ != std::string::npos)
      entry_.replace(charsetStart_, charsetEnd_ - charsetStart_, "2");
    else if (fontNumberEnd_ != std::string::npos)
      entry_.insert(fontNumberEnd_, SymbolCharset);
  }
  out += entry_;
  entry_.clear();
  passing_ = false;
  name_.clear();
  nameEnded_ = false;
  fontNumberEnd_ = charsetStart_ = charsetEnd_ = std::string::npos;
}

}  // namespace core
