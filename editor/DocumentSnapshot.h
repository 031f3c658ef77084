#pragma once
#include <windows.h>
#include <richedit.h>

#include <string>

class RichEditControl;

// A control's document as it is now: text and formats (as RTF), the default
// character format, the selection, the modified flag and the first line
// shown; to put into a hidden control that a print job works from.
class DocumentSnapshot {
 public:
  explicit DocumentSnapshot(const RichEditControl& control);
  void RestoreInto(const RichEditControl& control) const;

 private:
  std::string rtf_;
  CHARFORMATA defaultFormat_{};
  CHARRANGE selection_{};
  LRESULT firstLine_ = 0;
  bool modified_ = false;
};
