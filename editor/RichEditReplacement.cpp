// The windows of the document's control: a whole new document, and a
// deletion of all of a large one, each go into a new window that takes the
// old one's place.
#include "RichEditControl.h"

#include "ControlStreams.h"
#include "KeyState.h"

namespace {

// What a message does to the selection: deletes it (WM_CLEAR), cuts it
// (WM_CUT), writes over it (the message itself), or none of these (0).
UINT SelectionEdit(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_CLEAR:
    case WM_CUT:
    case EM_REPLACESEL:
      return message;
    case WM_PASTE:
      return IsClipboardFormatAvailable(CF_TEXT) ? message : 0;
    case EM_STREAMIN:
      return wParam & SFF_SELECTION ? message : 0;
    case WM_CHAR:
      return wParam >= ' ' || wParam == '\r' || wParam == '\t' ? message : 0;
    case WM_KEYDOWN: {
      const UINT shift = winui::HeldShiftKeys();
      if ((wParam == VK_DELETE || wParam == VK_BACK) && shift == 0) return WM_CLEAR;
      return winui::ClipboardKeyCommand(wParam, shift) == WM_CUT ? WM_CUT : 0;
    }
  }
  return 0;
}

bool AsksUndo(UINT message, WPARAM wParam) {
  return message == EM_UNDO || message == WM_UNDO ||
         (message == WM_KEYDOWN && wParam == 'Z' && winui::HeldShiftKeys() == MK_CONTROL) ||
         (message == WM_SYSKEYDOWN && wParam == VK_BACK);
}

// A window out of use: hidden, telling its parent nothing, and no longer
// found by the control's id.
void Shelve(HWND window) {
  ShowWindow(window, SW_HIDE);
  SendMessageA(window, EM_SETEVENTMASK, 0, 0);
  SetWindowLongPtrA(window, GWLP_ID, 0);
}

// The control frees a document in time growing with its size (a fifth of
// a second for 1 MB under Wine), which the user need not wait for: a
// replaced window goes once the text has been left alone a moment, hidden
// and silent till then. Its timer is the window's own, and goes with it.
constexpr UINT RetireDelay = 2000;
constexpr UINT_PTR RetireTimer = 1;

void CALLBACK DestroyRetired(HWND window, UINT, UINT_PTR, DWORD) { DestroyWindow(window); }

void FreeRetired(HWND& retired) {
  if (retired && IsWindow(retired)) DestroyWindow(retired);
  retired = nullptr;
}

// The window comes shelved, as the replacing left it; `retired` is the
// control's last one, which a later replacement frees at once.
void Retire(HWND& retired, HWND window) {
  FreeRetired(retired);
  retired = window;
  if (!SetTimer(window, RetireTimer, RetireDelay, DestroyRetired)) FreeRetired(retired);
}

}  // namespace

// Input to the text puts it off again: freeing would stall what the user
// is doing.
void RichEditControl::PostponeFreeingReplaced() const {
  if (retired_ && IsWindow(retired_)) SetTimer(retired_, RetireTimer, RetireDelay, DestroyRetired);
}

void RichEditControl::Replace(const Fill& fill) {
  const HWND old = Swap(fill);
  if (deletedDocument_) Retire(retired_, deletedDocument_);
  deletedDocument_ = nullptr;
  Retire(retired_, old);
}

// Loads a new window over the old one and gives it the old one's place;
// returns the old one, shelved, for the caller to retire or keep.
HWND RichEditControl::Swap(const Fill& fill) {
  const HWND old = hwnd_;
  const bool readOnly = ReadOnly();
  hwnd_ = NewWindow(GetWindowLongPtrA(old, GWL_STYLE) & (WS_CHILD | WS_POPUP | WS_TABSTOP),
                    winui::BoundsInParent(old));
  try {
    TakeSettingsOf(old, readOnly);
    if (fill) fill(*this);
  } catch (...) {
    DestroyWindow(hwnd_);
    hwnd_ = old;
    throw;
  }
  TakePlaceOf(old);
  return old;
}

// What was set on the old window after it was made: the font and default
// character format, the formatting rectangle (margins), read-only; and its
// place in the stacking.
void RichEditControl::TakeSettingsOf(HWND old, bool readOnly) const {
  PlaceOver(old);
  if (font_) Send(WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  if (library_) {
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    SendMessageA(old, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    Send(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  }
  if (hasFormatRect_) Send(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&formatRect_));
  Send(EM_SETREADONLY, readOnly);
}

// Just over the old window in the stacking, which is the tab order: that
// leaves the window in the old one's place when the old one goes. Shown
// where the old one is shown, also while it loads: Wine's rich edit puts
// off laying out what it loads where it cannot be seen, and then lays it
// out in time growing with the square of its size.
void RichEditControl::PlaceOver(HWND old) const {
  const bool visible = (GetWindowLongPtrA(old, GWL_STYLE) & WS_VISIBLE) != 0;
  const HWND above = GetWindow(old, GW_HWNDPREV);
  SetWindowPos(hwnd_, above ? above : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (visible ? SWP_SHOWWINDOW : 0));
}

// Only the finished document is announced: the form learns of it from
// whoever replaced it, and a failed load tells it nothing. What shows the
// text reads it again.
void RichEditControl::TakePlaceOf(HWND old) {
  Send(EM_SETEVENTMASK, 0, EventMask);
  SetWindowLongPtrA(hwnd_, GWLP_ID, id_);
  const bool focused = GetFocus() == old;
  Attach(hwnd_);
  if (focused) SetFocus(hwnd_);
  Shelve(old);
  if (onChanged_) onChanged_(Change::Everything);
}

// Asked by lines: the text's length is answered by converting all of it.
bool RichEditControl::SelectsEverything() const {
  DWORD start = 0, end = 0;
  Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const LRESULT lastLineStart = Send(EM_LINEINDEX, Send(EM_GETLINECOUNT) - 1);
  return start == 0 &&
         static_cast<LRESULT>(end) >= lastLineStart + Send(EM_LINELENGTH, lastLineStart);
}

void RichEditControl::EditInCopy(const Fill& edit) {
  const std::string rtf = StreamOut(*this, SF_RTF);
  CHARRANGE selection{};
  Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  WriteInNew([&](const RichEditControl& copy) {
    StreamIn(copy, SF_RTF, rtf);
    copy.Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    edit(copy);
  });
}

void RichEditControl::WriteInNew(const Fill& fill) {
  const HWND earlier = deletedDocument_;
  deletedDocument_ = Swap([&](const RichEditControl& copy) {
    fill(copy);
    copy.Send(EM_EMPTYUNDOBUFFER);
  });
  if (earlier) Retire(retired_, earlier);
  Send(EM_SETMODIFY, TRUE);
  AnnounceChange();
}

void RichEditControl::DeleteEverything(bool cut) {
  if (cut) CopyOrFail("cut");
  const HWND earlier = deletedDocument_;
  deletedDocument_ = Swap({});
  if (earlier) Retire(retired_, earlier);
  TakeFirstFormatsOf(deletedDocument_);
  Send(EM_SETMODIFY, TRUE);
  AnnounceChange();
}

// What is typed after deleting everything gets the formats of the first
// character, as in the control itself. They are read with the deleted
// window's selection put on that character and back: it is hidden by now,
// so nothing scrolls or paints.
void RichEditControl::TakeFirstFormatsOf(HWND deleted) const {
  DWORD start = 0, end = 0;
  SendMessageA(deleted, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  SendMessageA(deleted, EM_SETSEL, 0, 1);
  CHARFORMATA characters{};
  characters.cbSize = sizeof characters;
  SendMessageA(deleted, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&characters));
  PARAFORMAT paragraph{};
  paragraph.cbSize = sizeof paragraph;
  SendMessageA(deleted, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));
  SendMessageA(deleted, EM_SETSEL, start, end);
  Send(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));
  Send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&characters));
  Send(EM_EMPTYUNDOBUFFER);  // setting the formats is no step to undo
}

// The deleted document comes back as it was, all of it selected, where the
// empty window is now (the form may have been resized meanwhile): shown
// first, since a hidden window is laid out anew in time growing with the
// square of its size.
void RichEditControl::RestoreDeletedDocument() {
  const HWND emptied = hwnd_;
  hwnd_ = deletedDocument_;
  deletedDocument_ = nullptr;
  PlaceOver(emptied);
  const RECT bounds = winui::BoundsInParent(emptied);
  if (winui::MoveChild(hwnd_, bounds.left, bounds.top, bounds.right - bounds.left,
                       bounds.bottom - bounds.top) &&
      hasFormatRect_)
    Send(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&formatRect_));
  TakePlaceOf(emptied);
  Retire(retired_, emptied);
  Send(EM_SETMODIFY, TRUE);
  AnnounceChange();
}

// What the control itself tells its parent after an edit.
void RichEditControl::AnnounceChange() const {
  SendMessageA(parent_, WM_COMMAND, MAKEWPARAM(id_, EN_CHANGE), reinterpret_cast<LPARAM>(hwnd_));
  SELCHANGE change{};
  change.nmhdr.hwndFrom = hwnd_;
  change.nmhdr.idFrom = static_cast<UINT_PTR>(id_);
  change.nmhdr.code = EN_SELCHANGE;
  Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&change.chrg));
  change.seltyp = change.chrg.cpMin == change.chrg.cpMax ? SEL_EMPTY : SEL_TEXT;
  SendMessageA(parent_, WM_NOTIFY, static_cast<WPARAM>(id_), reinterpret_cast<LPARAM>(&change));
}

// Deleting, cutting or writing over all of a large document, and the Undo
// that takes such a deletion back.
bool RichEditControl::EditsAllOfALargeText(UINT message, WPARAM wParam, LPARAM lParam,
                                           LRESULT& result) {
  const UINT edit = SelectionEdit(message, wParam);
  if (edit && library_ && SelLength() >= LargeDeletion && !ReadOnly() && SelectsEverything()) {
    DeleteEverything(edit == WM_CUT);
    result = edit == WM_CLEAR || edit == WM_CUT ? 0 : Send(message, wParam, lParam);
    return true;
  }
  if (deletedDocument_ && AsksUndo(message, wParam) && !CallControl(EM_CANUNDO, 0, 0)) {
    RestoreDeletedDocument();
    result = TRUE;
    return true;
  }
  if (message == EM_CANUNDO && deletedDocument_) {
    result = TRUE;
    return true;
  }
  return false;
}
