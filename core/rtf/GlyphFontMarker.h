#pragma once
#include <cstddef>
#include <string>

namespace core {

// Marks the glyph font in an RTF document's font table as a symbol font
// (\fcharset2), on the document's way to the text control: the control then
// takes the text set in it as glyph codes on every code page. Documents
// written before the glyph font was a symbol font name it with another
// character set or none, and the control would read their codes through
// the system's code page.
//
// Each entry of the font table is held back until its name shows whether it
// is the glyph font; an entry whose name is the face gets its \fcharsetN
// made \fcharset2, or one added after its \fN. Everything else passes
// unchanged, and after the font table everything passes at once. An entry
// too long to be a font's passes unchanged.
class GlyphFontMarker {
 public:
  static constexpr std::size_t MaxEntry = 4096;

  explicit GlyphFontMarker(std::string face) : face_(std::move(face)) {}

  // Appends to `out` what may go on to the control.
  void Feed(const char* bytes, std::size_t count, std::string& out);
  // The end of the document: what is still held back.
  void Finish(std::string& out);

 private:
  enum class State { Text, Backslash, Word, Parameter, HexEscape };
  enum class Table { Before, Inside, After };

  void Step(char c, std::string& out);
  void TextByte(char c, std::string& out);
  void WordByte(char c, std::string& out);
  void EndWord();
  bool AtEntryLevel() const { return depth_ == tableDepth_ || depth_ == tableDepth_ + 1; }
  void EndEntry(std::string& out);
  // Lets the entry held so far go, and the rest of it pass unchanged.
  void PassEntry(std::string& out);
  bool IsGlyphFont() const;
  std::size_t Here() const { return entry_.size() - 1; }

  std::string face_;
  Table table_ = Table::Before;
  State state_ = State::Text;
  std::size_t depth_ = 0;
  std::size_t tableDepth_ = 0;
  std::string word_;
  std::size_t digitsStart_ = std::string::npos;
  int hexLeft_ = 0;
  unsigned hexValue_ = 0;

  // The entry held back, and what is known of it.
  std::string entry_;
  bool passing_ = false;  // too long: passes unchanged up to its end
  std::string name_;
  bool nameEnded_ = false;
  std::size_t fontNumberEnd_ = std::string::npos;
  std::size_t charsetStart_ = std::string::npos, charsetEnd_ = std::string::npos;
};

}  // namespace core
