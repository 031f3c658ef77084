#include "TextAttributes.h"

#include "EmptyFormat.h"
#include "FontFaces.h"
#include "RichEditControl.h"
#include "Twips.h"

namespace {

constexpr DWORD StyleMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
constexpr size_t MaxFaceLength = LF_FACESIZE - 1;

}  // namespace

CHARFORMATA TextAttributes::Read() const {
  CHARFORMATA format = EmptyFormat<CHARFORMATA>(0);
  if (control_.Handle())
    control_.Send(EM_GETCHARFORMAT, scope_ == Scope::Selection ? SCF_SELECTION : SCF_DEFAULT,
                  reinterpret_cast<LPARAM>(&format));
  return format;
}

void TextAttributes::Write(CHARFORMATA& format) const {
  if (control_.Handle())
    control_.Send(EM_SETCHARFORMAT, scope_ == Scope::Selection ? SCF_SELECTION : SCF_DEFAULT,
                  reinterpret_cast<LPARAM>(&format));
}

StyleSet TextAttributes::Style() const { return Read().dwEffects & StyleMask; }

void TextAttributes::SetStyle(StyleSet style) const {
  CHARFORMATA format = EmptyFormat<CHARFORMATA>(StyleMask);
  format.dwEffects = style & StyleMask;
  Write(format);
}

int TextAttributes::Size() const { return Read().yHeight / TwipsPerPoint; }

void TextAttributes::SetSize(int points) const {
  CHARFORMATA format = EmptyFormat<CHARFORMATA>(CFM_SIZE);
  format.yHeight = PointsToTwips(points);
  Write(format);
}

std::string TextAttributes::FaceName() const {
  const CHARFORMATA format = Read();
  return std::string(format.szFaceName, strnlen(format.szFaceName, MaxFaceLength));
}

// The face's own character set goes with it: a symbol font, such as the
// glyph font, shows its glyphs only when asked for as one, and another
// face must not be asked for as a symbol font.
void TextAttributes::SetFaceName(const std::string& name) const {
  const int charset = CharsetOfFace(name.substr(0, MaxFaceLength));
  CHARFORMATA format = EmptyFormat<CHARFORMATA>(charset < 0 ? CFM_FACE : CFM_FACE | CFM_CHARSET);
  format.bCharSet = static_cast<BYTE>(charset < 0 ? 0 : charset);
  name.copy(format.szFaceName, MaxFaceLength);
  Write(format);
}

TextColour TextAttributes::Colour() const {
  const CHARFORMATA format = Read();
  if (format.dwEffects & CFE_AUTOCOLOR) return {true, 0};
  return {false, format.crTextColor};
}

void TextAttributes::SetColour(const TextColour& colour) const {
  CHARFORMATA format = EmptyFormat<CHARFORMATA>(CFM_COLOR);
  format.crTextColor = colour.CurrentRgb();
  Write(format);
}

Pitch TextAttributes::GetPitch() const {
  switch (Read().bPitchAndFamily & 3) {
    case FIXED_PITCH:
      return Pitch::Fixed;
    case VARIABLE_PITCH:
      return Pitch::Variable;
    default:
      return Pitch::Default;
  }
}
