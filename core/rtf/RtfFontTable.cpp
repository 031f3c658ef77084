#include "RtfFontTable.h"

#include "AsciiText.h"
#include "Exceptions.h"

namespace core {

namespace {

constexpr int SymbolCharset = 2;

// Faces are told apart without case (as Windows does, for ASCII letters).
std::string FaceKey(const std::string& name) { return LowerAscii(name); }

}  // namespace

RtfFontTable::RtfFontTable(std::vector<RtfFace>& faces) : faces_(faces) {
  faces_.push_back({GlyphFace, SymbolCharset});
}

void RtfFontTable::Begin(int number) {
  End();
  number_ = number;
  charset_ = -1;
}

void RtfFontTable::End() {
  const std::size_t start = name_.find_first_not_of(' ');
  std::string name = start == std::string::npos ? std::string() : name_.substr(start);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  if (number_ >= 0 && !name.empty() && !Has(number_))
    fonts_[number_] = Font{FaceIndex(name, charset_), charset_};
  name_.clear();
}

RtfFontTable::Font RtfFontTable::Find(int number) {
  const auto found = fonts_.find(number);
  if (found != fonts_.end()) return found->second;
  return Font{FaceIndex("Times New Roman", -1), -1};
}

// The index a character's format keeps is 16 bits: a document naming
// more faces than that is refused rather than read in the wrong ones.
// A face is a name in a character set, but the glyph font is one in any.
std::uint16_t RtfFontTable::FaceIndex(const std::string& name, int charset) {
  std::string key = FaceKey(name);
  if (key == FaceKey(GlyphFace)) return 0;
  key += '/' + std::to_string(charset);
  const auto [found, added] = faceIndices_.emplace(key, faces_.size());
  if (added) {
    if (faces_.size() > 0xFFFF) throw Exception("the RTF document names more than 65,535 fonts");
    faces_.push_back({name, charset});
  }
  return static_cast<std::uint16_t>(found->second);
}

}  // namespace core
