#include "PrintDialog.h"

#include <commdlg.h>

#include <cstring>

#include "Exceptions.h"
#include "LateBoundCalls.h"
#include "ModalScope.h"

namespace winui {

namespace {

constexpr char NoDefaultPrinter[] = "Zur Zeit ist kein Standard-Drucker gew\xE4hlt";
constexpr char PrinterInvalid[] = "Ausgew\xE4hlter Drucker ist ung\xFCltig";
constexpr char NoSettings[] = "Operation auf ausgew\xE4hltem Drucker nicht verf\xFCgbar";
constexpr char JobRunning[] = "Das Drucken ist im Gang";

constexpr DWORD DialogFlags =
    PD_ALLPAGES | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_NOWARNING;

// Locks a global block for the life of a scope.
template <typename T>
class Locked {
 public:
  explicit Locked(HGLOBAL block) : block_(block), data_(block ? static_cast<T*>(GlobalLock(block)) : nullptr) {}
  ~Locked() {
    if (data_) GlobalUnlock(block_);
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
  T* get() const { return data_; }
  T* operator->() const { return data_; }

 private:
  HGLOBAL block_;
  T* data_;
};

// The dialog works on copies, so that a cancelled or refused dialog leaves
// the current printer exactly as it was.
HGLOBAL Copy(HGLOBAL block) {
  if (!block) return nullptr;
  const SIZE_T size = GlobalSize(block);
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!copy) return nullptr;
  const Locked<char> from(block), to(copy);
  std::memcpy(to.get(), from.get(), size);
  return copy;
}

void Free(HGLOBAL block) {
  if (block) GlobalFree(block);
}

}  // namespace

PrintDialog::~PrintDialog() {
  Free(devNames_);
  Free(devMode_);
}

bool PrintDialog::Execute(HWND owner, bool jobRunning) {
  if (!devNames_) TakeDefaultPrinter(owner);
  PRINTDLGA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.hDevNames = Copy(devNames_);
  dialog.hDevMode = Copy(devMode_);
  dialog.Flags = DialogFlags;
  dialog.nCopies = static_cast<WORD>(Copies());
  BOOL ok;
  {
    ModalScope modal;
    ok = late::PrintDlgA(&dialog);
  }
  const char* refusal = jobRunning ? JobRunning : !dialog.hDevMode ? NoSettings : nullptr;
  if (ok && !refusal) {
    Adopt(dialog.hDevNames, dialog.hDevMode, dialog.nCopies);
    return true;
  }
  Free(dialog.hDevNames);
  Free(dialog.hDevMode);
  if (ok) throw core::Exception(refusal);
  return false;
}

void PrintDialog::TakeDefaultPrinter(HWND owner) {
  PRINTDLGA query{};
  query.lStructSize = sizeof query;
  query.hwndOwner = owner;
  query.Flags = PD_RETURNDEFAULT | PD_NOWARNING;
  if (!late::PrintDlgA(&query) || !query.hDevNames) {
    Free(query.hDevNames);
    Free(query.hDevMode);
    throw core::Exception(NoDefaultPrinter);
  }
  devNames_ = query.hDevNames;
  devMode_ = query.hDevMode;
}

void PrintDialog::Adopt(HGLOBAL devNames, HGLOBAL devMode, WORD copies) {
  {
    const Locked<DEVMODEA> mode(devMode);
    mode->dmCopies = static_cast<short>(copies);
    mode->dmFields |= DM_COPIES;
  }
  Free(devNames_);
  Free(devMode_);
  devNames_ = devNames;
  devMode_ = devMode;
}

int PrintDialog::Copies() const {
  const Locked<DEVMODEA> mode(devMode_);
  return mode.get() && (mode->dmFields & DM_COPIES) && mode->dmCopies > 0 ? mode->dmCopies : 1;
}

HDC PrintDialog::CreatePrinterDC() const {
  const Locked<DEVNAMES> names(devNames_);
  const Locked<DEVMODEA> mode(devMode_);
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
