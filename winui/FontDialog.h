#pragma once
#include <windows.h>

#include "Component.h"

namespace winui {

// The system's font dialog for screen fonts with the effects group and no
// size limits, as a component that keeps its font and colour from one use
// to the next.
class FontDialog : public Component {
 public:
  using Component::Component;

  LOGFONTA font{};
  COLORREF colour = 0;

  // The font's size in points at the screen's resolution.
  int PointSize() const;
  void SetPointSize(int points);

  // Shows the dialog; false when the user cancels.
  bool Execute(HWND owner);
};

}  // namespace winui
