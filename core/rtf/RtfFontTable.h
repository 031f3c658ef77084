#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "RtfDocument.h"

namespace core {

// An RTF document's fonts as its reader meets them: the font table's
// entries by number, each with its face and character set. Each face goes
// into the document's list once; the glyph font's comes first, as a symbol
// font whatever a document's table says.
class RtfFontTable {
 public:
  struct Font {
    std::uint16_t face;  // index into `faces`
    int charset;         // its \fcharset; -1 when not given
  };

  explicit RtfFontTable(std::vector<RtfFace>& faces);

  // The table's text in the order it comes: \fN begins an entry (ending
  // the one before), \fcharsetN sets its character set, and its name is
  // the bytes up to a ';' or the end of the table's group. A number's first
  // entry with a name counts.
  void Begin(int number);
  void SetCharset(int charset) { charset_ = charset; }
  void AddToName(char byte) { name_ += byte; }
  void End();

  bool Has(int number) const { return fonts_.count(number) != 0; }
  // A font the table lacks is Times New Roman, in no character set.
  Font Find(int number);

 private:
  std::uint16_t FaceIndex(const std::string& name, int charset);

  std::vector<RtfFace>& faces_;
  std::map<int, Font> fonts_;
  std::unordered_map<std::string, std::size_t> faceIndices_;
  int number_ = -1;
  int charset_ = -1;
  std::string name_;
};

}  // namespace core
