#include "RtfTokenizer.h"

#include <algorithm>
#include <cstdio>

namespace core {

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool IsSkippedDestination(std::string_view word) {
  static const std::string_view skipped[] = {"colortbl",
                                             "stylesheet",
                                             "info",
                                             "pict",
                                             "object",
                                             "header",
                                             "headerl",
                                             "headerr",
                                             "headerf",
                                             "footer",
                                             "footerl",
                                             "footerr",
                                             "footerf",
                                             "footnote",
                                             "fldinst",
                                             "listtable",
                                             "listoverridetable",
                                             "rsidtbl",
                                             "generator",
                                             "xmlnsdecl",
                                             "themedata",
                                             "colorschememapping",
                                             "latentstyles",
                                             "datastore",
                                             "pntext",
                                             "pntxta",
                                             "pntxtb",
                                             "listtext",
                                             "revtbl",
                                             "filetbl",
                                             "annotation",
                                             "atnid",
                                             "atnauthor",
                                             "bkmkstart",
                                             "bkmkend",
                                             "nonshppict",
                                             "shppict",
                                             "field_unused",
                                             "txe",
                                             "xe",
                                             "tc",
                                             "template",
                                             "userprops",
                                             "docvar",
                                             "fchars",
                                             "lchars",
                                             "pgdsctbl",
                                             "wgrffmtfilter",
                                             "xmlnstbl"};
  for (const std::string_view name : skipped)
    if (word == name) return true;
  return false;
}

RtfToken RtfTokenizer::Next() {
  while (at_ < rtf_.size()) {
    const char c = rtf_[at_++];
    if (c == '\r' || c == '\n') continue;
    RtfToken token;
    if (c == '{') {
      token.kind = RtfToken::Kind::Open;
    } else if (c == '}') {
      token.kind = RtfToken::Kind::Close;
    } else if (c == '\\') {
      token = AfterBackslash();
      if (token.kind == RtfToken::Kind::End) continue;
    } else {
      token.kind = RtfToken::Kind::Byte;
      token.byte = static_cast<unsigned char>(c);
    }
    return token;
  }
  return {};
}

RtfToken RtfTokenizer::AfterBackslash() {
  RtfToken token;
  if (at_ == rtf_.size()) return token;
  const char c = rtf_[at_];
  if (IsLetter(c)) return Word();
  ++at_;
  if (c == '\'') {
    const int high = at_ < rtf_.size() ? HexValue(rtf_[at_]) : -1;
    const int low = at_ + 1 < rtf_.size() ? HexValue(rtf_[at_ + 1]) : -1;
    if (high < 0 || low < 0) return token;  // a broken escape reads as nothing
    at_ += 2;
    token.kind = RtfToken::Kind::Byte;
    token.byte = static_cast<unsigned char>(high * 16 + low);
    return token;
  }
  token.kind = RtfToken::Kind::Symbol;
  // An escaped line break is a paragraph mark.
  token.byte = static_cast<unsigned char>(c == '\r' || c == '\n' ? '\n' : c);
  return token;
}

RtfToken RtfTokenizer::Word() {
  RtfToken token;
  token.kind = RtfToken::Kind::Word;
  const std::size_t start = at_;
  while (at_ < rtf_.size() && IsLetter(rtf_[at_])) ++at_;
  token.word = rtf_.substr(start, at_ - start);
  const bool negative =
      at_ < rtf_.size() && rtf_[at_] == '-' && at_ + 1 < rtf_.size() && IsDigit(rtf_[at_ + 1]);
  if (negative) ++at_;
  std::int64_t value = 0;
  while (at_ < rtf_.size() && IsDigit(rtf_[at_])) {
    token.hasParameter = true;
    if (value <= 0x7FFFFFFF) value = value * 10 + (rtf_[at_] - '0');
    ++at_;
  }
  if (value > 0x7FFFFFFF) value = 0x7FFFFFFF;
  token.parameter = static_cast<std::int32_t>(negative ? -value : value);
  if (at_ < rtf_.size() && rtf_[at_] == ' ') ++at_;
  if (token.word == "bin" && token.parameter > 0)
    at_ += std::min(static_cast<std::size_t>(token.parameter), rtf_.size() - at_);
  return token;
}

std::string RtfEscapedBytes(std::string_view bytes) {
  std::string escaped;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '{' || c == '}') {
      escaped += '\\';
      escaped += c;
    } else if (byte < 0x20 || byte >= 0x80) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\'%02x", byte);
      escaped += hex;
    } else {
      escaped += c;
    }
  }
  return escaped;
}

}  // namespace core
