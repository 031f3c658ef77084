#pragma once
#include <windows.h>

#include "Component.h"

namespace winui {

// The system's print dialog as a component that holds the current printer:
// its names (DEVNAMES) and settings (DEVMODE), the system's default printer
// until a dialog ends with OK, then the printer chosen there with its copy
// count. No page range, no selection, no print to file.
class PrintDialog : public Component {
 public:
  using Component::Component;
  ~PrintDialog() override;

  // Shows the dialog for the current printer. OK makes the printer chosen
  // current and returns true; Cancel returns false and changes nothing.
  // While a job is running, OK fails and the printer stays as it was.
  bool Execute(HWND owner, bool jobRunning);

  // A device context for the current printer, for the caller to delete.
  HDC CreatePrinterDC() const;

  int Copies() const;

 private:
  void TakeDefaultPrinter(HWND owner);
  void Adopt(HGLOBAL devNames, HGLOBAL devMode, WORD copies);

  HGLOBAL devNames_ = nullptr;
  HGLOBAL devMode_ = nullptr;
};

}  // namespace winui
