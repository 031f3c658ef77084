#include "PageSetupDialog.h"

#include <commdlg.h>

#include "GlobalBlock.h"
#include "LateBoundCalls.h"
#include "ModalScope.h"

namespace winui {

namespace {

constexpr int ThousandthsPerInch = 1000;
constexpr int HundredthsOfMillimetrePerInch = 2540;

// The units the dialog showed: those it says, else the locale's.
int UnitsPerInch(DWORD flags) {
  if (flags & PSD_INHUNDREDTHSOFMILLIMETERS) return HundredthsOfMillimetrePerInch;
  if (flags & PSD_INTHOUSANDTHSOFINCHES) return ThousandthsPerInch;
  char measure[4] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, measure, sizeof measure);
  return measure[0] == '0' ? HundredthsOfMillimetrePerInch : ThousandthsPerInch;
}

DWORD UnitFlag(int perInch) {
  return perInch == ThousandthsPerInch ? PSD_INTHOUSANDTHSOFINCHES : PSD_INHUNDREDTHSOFMILLIMETERS;
}

}  // namespace

bool PageSetupDialog::Execute(HWND owner) {
  printer_.TakeDefaultIfNone(owner);
  PAGESETUPDLGA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.hDevNames = printer_.CopyOfNames();
  dialog.hDevMode = printer_.CopyOfSettings();
  if (margins_) {
    dialog.Flags = PSD_MARGINS | UnitFlag(margins_->perInch);
    dialog.rtMargin = RECT{margins_->left, margins_->top, margins_->right, margins_->bottom};
  }
  BOOL ok;
  {
    ModalScope modal;
    ok = late::PageSetupDlgA(&dialog);
  }
  // A dialog that hands back no printer leaves the current one.
  if (ok && dialog.hDevNames && dialog.hDevMode) {
    printer_.Adopt(dialog.hDevNames, dialog.hDevMode);
  } else {
    Free(dialog.hDevNames);
    Free(dialog.hDevMode);
  }
  if (!ok) return false;
  const RECT& chosen = dialog.rtMargin;
  margins_ = core::PageMargins{chosen.left, chosen.top, chosen.right, chosen.bottom,
                               UnitsPerInch(dialog.Flags)};
  return true;
}

}  // namespace winui
