#pragma once
#include <windows.h>

namespace winui {

// The printer the program prints on: its names (DEVNAMES) and settings
// (DEVMODE, paper and orientation among them), one for the print and the
// page setup dialogs. The system's default printer until one of them ends
// with OK, then the one chosen there, until the program ends.
class CurrentPrinter {
 public:
  CurrentPrinter() = default;
  ~CurrentPrinter();
  CurrentPrinter(const CurrentPrinter&) = delete;
  CurrentPrinter& operator=(const CurrentPrinter&) = delete;

  // Takes the system's default printer if none is current yet; fails with
  // a message when there is none.
  void TakeDefaultIfNone(HWND owner);

  // Copies for a dialog to work on, so that a cancelled or refused dialog
  // leaves the current printer exactly as it was.
  HGLOBAL CopyOfNames() const;
  HGLOBAL CopyOfSettings() const;
  // Makes a dialog's result current; takes both blocks.
  void Adopt(HGLOBAL names, HGLOBAL settings);

  // A device context for the printer, for the caller to delete.
  HDC CreateContext() const;
  int Copies() const;
  void SetCopies(int copies);

 private:
  HGLOBAL names_ = nullptr;
  HGLOBAL settings_ = nullptr;
};

}  // namespace winui
