#include "PrintDialog.h"

#include <commdlg.h>

#include "Exceptions.h"
#include "GlobalBlock.h"
#include "LateBoundCalls.h"
#include "ModalScope.h"

namespace winui {

namespace {

constexpr char NoSettings[] = "Operation auf ausgew\xE4hltem Drucker nicht verf\xFCgbar";
constexpr char JobRunning[] = "Das Drucken ist im Gang";

// The dialog cannot know how many pages the printer it ends with will
// make of the document: a range past the end prints what there is of it.
constexpr WORD LastPageOffered = 9999;

PrintRange RangeChosen(const PRINTDLGA& dialog) {
  if (dialog.Flags & PD_SELECTION) return PrintRange{PrintRange::Kind::Selection, 1, 1};
  if (dialog.Flags & PD_PAGENUMS)
    return PrintRange{PrintRange::Kind::Pages, dialog.nFromPage, dialog.nToPage};
  return PrintRange{};
}

}  // namespace

bool PrintDialog::Execute(HWND owner, bool jobRunning, bool hasSelection) {
  printer_.TakeDefaultIfNone(owner);
  PRINTDLGA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.hDevNames = printer_.CopyOfNames();
  dialog.hDevMode = printer_.CopyOfSettings();
  dialog.Flags =
      PD_ALLPAGES | PD_HIDEPRINTTOFILE | PD_NOWARNING | (hasSelection ? 0 : PD_NOSELECTION);
  dialog.nFromPage = 1;
  dialog.nToPage = 1;
  dialog.nMinPage = 1;
  dialog.nMaxPage = LastPageOffered;
  dialog.nCopies = static_cast<WORD>(Copies());
  BOOL ok;
  {
    ModalScope modal;
    ok = late::PrintDlgA(&dialog);
  }
  const char* refusal = jobRunning ? JobRunning : !dialog.hDevMode ? NoSettings : nullptr;
  if (ok && !refusal) {
    printer_.Adopt(dialog.hDevNames, dialog.hDevMode);
    printer_.SetCopies(dialog.nCopies);
    range_ = RangeChosen(dialog);
    return true;
  }
  Free(dialog.hDevNames);
  Free(dialog.hDevMode);
  if (ok) throw core::Exception(refusal);
  return false;
}

}  // namespace winui
