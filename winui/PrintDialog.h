#pragma once
#include <windows.h>

#include "Component.h"
#include "CurrentPrinter.h"

namespace winui {

// What the print dialog's OK asks to print: every page, the pages from
// one to another (counted from 1, both printed), or the selection alone.
struct PrintRange {
  enum class Kind { All, Pages, Selection };
  Kind kind = Kind::All;
  int from = 1, to = 1;
};

// The system's print dialog as a component that holds the current printer
// (shared with the page setup dialog) and the copy count chosen. It
// offers a page range, and the selection when there is one; no print to
// file.
class PrintDialog : public Component {
 public:
  using Component::Component;

  // Shows the dialog for the current printer. OK makes the printer chosen
  // current and returns true; Cancel returns false and changes nothing.
  // While a job is running, OK fails and the printer stays as it was.
  bool Execute(HWND owner, bool jobRunning, bool hasSelection);
  // What the last OK chose.
  const PrintRange& Range() const { return range_; }

  CurrentPrinter& Printer() { return printer_; }
  // A device context for the current printer, for the caller to delete.
  HDC CreatePrinterDC() const { return printer_.CreateContext(); }
  int Copies() const { return printer_.Copies(); }

 private:
  CurrentPrinter printer_;
  PrintRange range_;
};

}  // namespace winui
