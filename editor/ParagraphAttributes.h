#pragma once
#include <windows.h>
#include <richedit.h>

class RichEditControl;

static_assert(sizeof(PARAFORMAT) == 156, "PARAFORMAT must be the 156-byte first version");

// Alignment values: the PARAFORMAT value minus one. A read may give any
// other number, which is none of the three.
constexpr int AlignmentLeft = 0, AlignmentRight = 1, AlignmentCenter = 2;
// Numbering values.
constexpr int NumberingNone = 0, NumberingBullet = 1;

// A view of the paragraph format of the paragraphs touched by the
// selection; every read and write is one message, and none is sent before
// the control's window exists.
class ParagraphAttributes {
 public:
  explicit ParagraphAttributes(const RichEditControl& control) : control_(control) {}
  ParagraphAttributes(const ParagraphAttributes&) = delete;
  ParagraphAttributes& operator=(const ParagraphAttributes&) = delete;

  int Alignment() const;
  void SetAlignment(int alignment) const;
  // Turning bullets on widens an offset under 10 points to 10 so the
  // bullet has room; turning them off sets the offset back to 0.
  int Numbering() const;
  void SetNumbering(int numbering) const;
  int Offset() const;  // whole points
  void SetOffset(int points) const;

 private:
  PARAFORMAT Read() const;
  void Write(PARAFORMAT& format) const;

  const RichEditControl& control_;
};
