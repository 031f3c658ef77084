#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace core {

// Watches an RTF stream on its way to the rich edit control and says when it
// goes beyond what the control's reader survives. Wine's reader writes past
// its buffers, or reads past its stack of group states, and then crashes or
// quietly corrupts the heap, when
//  - groups nest more than 32 deep (its group stack has 32 entries);
//  - a control word's name, sign and digits together outgrow its 1 KB token
//    buffer;
//  - a name in the font table or style sheet outgrows the 1 KB buffer it is
//    collected in (the text between separators, however it is escaped);
//  - a group opens after more groups were closed than opened: the reader
//    then stores its state below the start of its stack;
//  - a tab stop (\tx, \tb) lies left of the margin or beyond 16777215
//    twips: the control keeps a tab's kind in the upper bits of its
//    position, and its RTF writer, when the document is saved or copied,
//    looks up names by those bits and crashes on a negative position.
// Real documents stay far inside these limits. The token and name limits
// are a quarter of the buffers, counted the cautious way: every byte of an
// escape counts, and line breaks, which the reader drops, count too. The
// whole stream is watched: after the outermost group has closed, reading a
// font table can make the reader carry on.
//
// Bytes are fed in stream order, as the reader will see them, and are
// scanned before it does.
class RtfReaderLimits {
 public:
  static constexpr std::size_t MaxDepth = 32;
  static constexpr std::size_t MaxControlWord = 255;
  static constexpr std::size_t MaxName = 255;
  static constexpr std::uint32_t MaxTabPosition = 0xFFFFFF;

  // False once the bytes so far have gone beyond a limit; it stays false.
  bool Admit(const char* bytes, std::size_t size);

 private:
  enum class State { Text, Backslash, HexEscape, Word, Parameter };

  void Step(char c);
  void TextByte(char c);
  void WordByte(char c);
  void EndWord();
  void CountNameBytes(std::size_t count);

  State state_ = State::Text;
  bool exceeded_ = false;
  std::size_t depth_ = 0;
  bool closedTooOften_ = false;
  std::size_t hexLeft_ = 0;
  std::size_t wordLength_ = 0;   // name, sign and digits
  std::string word_;             // the name, as far as it matters
  bool negative_ = false;        // the parameter's sign and value, held at
  std::uint32_t parameter_ = 0;  // one more than the largest that matters
  bool inNames_ = false;         // within a font table or style sheet
  std::size_t namesDepth_ = 0;   // the depth of the group that holds it
  std::size_t nameLength_ = 0;
};

}  // namespace core
