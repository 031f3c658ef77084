#include "DocumentSnapshot.h"

#include "ControlStreams.h"
#include "RichEditControl.h"

DocumentSnapshot::DocumentSnapshot(const RichEditControl& control)
    : rtf_(StreamOut(control, SF_RTF)), modified_(control.Send(EM_GETMODIFY) != 0) {
  defaultFormat_.cbSize = sizeof defaultFormat_;
  control.Send(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&defaultFormat_));
  control.Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection_));
  firstLine_ = control.Send(EM_GETFIRSTVISIBLELINE);
}

void DocumentSnapshot::RestoreInto(const RichEditControl& control) const {
  // Before the text, whose unformatted parts take it, and after it, as
  // reading RTF may set it.
  control.Send(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&defaultFormat_));
  StreamIn(control, SF_RTF, rtf_);
  control.Send(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&defaultFormat_));
  control.Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection_));
  control.Send(EM_LINESCROLL, 0, firstLine_ - control.Send(EM_GETFIRSTVISIBLELINE));
  control.Send(EM_SETMODIFY, modified_);
}
