#include "ErrorDisplay.h"

#include <windows.h>

#include "Application.h"
#include "ModalScope.h"

namespace winui {

void ReportHandlerError(const core::Exception& error) {
  if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
  if (dynamic_cast<const core::SilentAbort*>(&error)) return;
  ShowErrorMessage(error);
}

void ShowErrorMessage(const core::Exception& error) {
  const std::string text = error.Message() + ".";
  const std::string caption = Application::Instance().Title();
  ModalScope modal;
  MessageBoxA(Application::Instance().Handle(), text.c_str(), caption.c_str(), MB_OK | MB_ICONSTOP);
}

}  // namespace winui
