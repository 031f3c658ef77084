#include "ErrorDisplay.h"

#include <windows.h>

#include <new>

#include "Application.h"
#include "ModalScope.h"

namespace winui {

namespace {

constexpr char OutOfMemory[] = "Zu wenig Arbeitsspeicher";
constexpr char UnknownFailure[] = "Unbekannter Fehler";

void CancelCapture() {
  if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
}

// Shows the message however little memory is left: if the error box cannot
// be built, a plain system box with the text as it stands.
void Show(const char* message) noexcept {
  CancelCapture();
  try {
    ShowErrorMessage(core::Exception(message));
  } catch (...) {
    MessageBoxA(nullptr, message, "Dabiro", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  }
}

}  // namespace

void ReportHandlerError(const core::Exception& error) noexcept {
  if (dynamic_cast<const core::SilentAbort*>(&error)) {
    CancelCapture();
    return;
  }
  Show(error.Message().c_str());
}

void ReportCaughtFailure() noexcept {
  try {
    throw;
  } catch (const core::Exception& e) {
    ReportHandlerError(e);
  } catch (const std::bad_alloc&) {
    Show(OutOfMemory);
  } catch (const std::exception& e) {
    Show(e.what());
  } catch (...) {
    Show(UnknownFailure);
  }
}

void ShowErrorMessage(const core::Exception& error) {
  const std::string text = error.Message() + ".";
  const std::string caption = Application::Instance().Title();
  ModalScope modal;
  MessageBoxA(Application::Instance().Handle(), text.c_str(), caption.c_str(), MB_OK | MB_ICONSTOP);
}

}  // namespace winui
