#pragma once
#include <windows.h>

#include <optional>

#include "Component.h"
#include "CurrentPrinter.h"
#include "PrintArea.h"

namespace winui {

// The system's page setup dialog: paper, orientation and the four margins
// of the current printer (the one the print dialog shares), in the units of
// the user's locale. Its choices hold until the program ends.
class PageSetupDialog : public Component {
 public:
  PageSetupDialog(const char* name, CurrentPrinter& printer) : Component(name), printer_(printer) {}

  // OK makes the paper and printer chosen current and keeps the margins;
  // Cancel changes nothing.
  bool Execute(HWND owner);
  // None until the first OK: pages then use the whole printable area.
  const std::optional<core::PageMargins>& Margins() const { return margins_; }

 private:
  CurrentPrinter& printer_;
  std::optional<core::PageMargins> margins_;
};

}  // namespace winui
