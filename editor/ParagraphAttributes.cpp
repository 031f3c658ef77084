#include "ParagraphAttributes.h"

#include "EmptyFormat.h"
#include "RichEditControl.h"
#include "Twips.h"

namespace {

constexpr int BulletOffset = 10;  // points

}  // namespace

PARAFORMAT ParagraphAttributes::Read() const {
  PARAFORMAT format = EmptyFormat<PARAFORMAT>(0);
  if (control_.Handle()) control_.Send(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
  return format;
}

void ParagraphAttributes::Write(PARAFORMAT& format) const {
  if (control_.Handle()) control_.Send(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
}

int ParagraphAttributes::Alignment() const { return Read().wAlignment - 1; }

void ParagraphAttributes::SetAlignment(int alignment) const {
  PARAFORMAT format = EmptyFormat<PARAFORMAT>(PFM_ALIGNMENT);
  format.wAlignment = static_cast<WORD>(alignment + 1);
  Write(format);
}

int ParagraphAttributes::Numbering() const { return Read().wNumbering & 0xFF; }

void ParagraphAttributes::SetNumbering(int numbering) const {
  if (numbering == NumberingNone)
    SetOffset(0);
  else if (Offset() < BulletOffset)
    SetOffset(BulletOffset);
  PARAFORMAT format = EmptyFormat<PARAFORMAT>(PFM_NUMBERING);
  format.wNumbering = static_cast<WORD>(numbering);
  Write(format);
}

int ParagraphAttributes::Offset() const { return Read().dxOffset / TwipsPerPoint; }

void ParagraphAttributes::SetOffset(int points) const {
  PARAFORMAT format = EmptyFormat<PARAFORMAT>(PFM_OFFSET);
  format.dxOffset = PointsToTwips(points);
  Write(format);
}
