#pragma once
#include <windows.h>
#include <richedit.h>

#include <string>

class RichEditControl;

// The first-version structures: the control must get these exact sizes in
// both the 32-bit and the 64-bit build.
static_assert(sizeof(CHARFORMATA) == 60, "CHARFORMAT must be the 60-byte first version");

// Style bits, the same as the CFE_ effect bits.
using StyleSet = unsigned;
constexpr StyleSet StyleBold = 1, StyleItalic = 2, StyleUnderline = 4, StyleStrikeOut = 8;

enum class Pitch { Default, Variable, Fixed };

// An RGB value or the system's window-text colour.
struct TextColour {
  bool windowText = false;
  COLORREF rgb = 0;
  COLORREF CurrentRgb() const { return windowText ? GetSysColor(COLOR_WINDOWTEXT) : rgb; }
};

// A view of the control's character format, either of the selection or of
// its default format. Nothing is kept: every read and every write is one
// message. Before the control's window exists, reads give the values of a
// zeroed structure and writes send nothing.
class TextAttributes {
 public:
  enum class Scope { Selection, Default };

  TextAttributes(const RichEditControl& control, Scope scope) : control_(control), scope_(scope) {}
  TextAttributes(const TextAttributes&) = delete;
  TextAttributes& operator=(const TextAttributes&) = delete;

  StyleSet Style() const;
  void SetStyle(StyleSet style) const;
  int Size() const;  // whole points
  void SetSize(int points) const;
  std::string FaceName() const;  // at most 31 characters
  void SetFaceName(const std::string& name) const;
  TextColour Colour() const;
  void SetColour(const TextColour& colour) const;
  Pitch GetPitch() const;

 private:
  CHARFORMATA Read() const;
  void Write(CHARFORMATA& format) const;

  const RichEditControl& control_;
  Scope scope_;
};
