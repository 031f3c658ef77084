#include "CurrentPrinter.h"

#include <commdlg.h>

#include "Exceptions.h"
#include "GlobalBlock.h"
#include "LateBoundCalls.h"

namespace winui {

namespace {

constexpr char NoDefaultPrinter[] = "Zur Zeit ist kein Standard-Drucker gew\xE4hlt";
constexpr char PrinterInvalid[] = "Ausgew\xE4hlter Drucker ist ung\xFCltig";

}  // namespace

CurrentPrinter::~CurrentPrinter() {
  Free(names_);
  Free(settings_);
}

void CurrentPrinter::TakeDefaultIfNone(HWND owner) {
  if (names_) return;
  PRINTDLGA query{};
  query.lStructSize = sizeof query;
  query.hwndOwner = owner;
  query.Flags = PD_RETURNDEFAULT | PD_NOWARNING;
  if (!late::PrintDlgA(&query) || !query.hDevNames) {
    Free(query.hDevNames);
    Free(query.hDevMode);
    throw core::Exception(NoDefaultPrinter);
  }
  names_ = query.hDevNames;
  settings_ = query.hDevMode;
}

HGLOBAL CurrentPrinter::CopyOfNames() const { return CopyOf(names_); }
HGLOBAL CurrentPrinter::CopyOfSettings() const { return CopyOf(settings_); }

void CurrentPrinter::Adopt(HGLOBAL names, HGLOBAL settings) {
  Free(names_);
  Free(settings_);
  names_ = names;
  settings_ = settings;
}

int CurrentPrinter::Copies() const {
  const Locked<DEVMODEA> mode(settings_);
  return mode.get() && (mode->dmFields & DM_COPIES) && mode->dmCopies > 0 ? mode->dmCopies : 1;
}

void CurrentPrinter::SetCopies(int copies) {
  const Locked<DEVMODEA> mode(settings_);
  if (!mode.get()) return;
  mode->dmCopies = static_cast<short>(copies);
  mode->dmFields |= DM_COPIES;
}

HDC CurrentPrinter::CreateContext() const {
  const Locked<DEVNAMES> names(names_);
  const Locked<DEVMODEA> mode(settings_);
  HDC dc = nullptr;
  if (names.get()) {
    const char* base = reinterpret_cast<const char*>(names.get());
    dc = CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset,
                   base + names->wOutputOffset, mode.get());
  }
  if (!dc) throw core::Exception(PrinterInvalid);
  return dc;
}

}  // namespace winui
