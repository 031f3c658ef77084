#include "MessageDialog.h"

#include <windows.h>

#include "Application.h"
#include "ModalScope.h"

namespace winui {

// Stand-in until the dialog is built by its own layout: the system box
// with the nearest buttons.
int MessageDialog(const std::string& text, DialogType, const DialogButtons& buttons, int) {
  UINT style = MB_ICONQUESTION;
  if (buttons.count(DialogButton::Cancel)) style |= MB_YESNOCANCEL;
  else if (buttons.count(DialogButton::No)) style |= MB_YESNO;
  ModalScope modal;
  return MessageBoxA(Application::Instance().Handle(), text.c_str(), "Best\xE4tigen", style);
}

}  // namespace winui
