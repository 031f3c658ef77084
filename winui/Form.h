#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "Window.h"

namespace winui {

// A top-level window that can be shown modally, with the keys of a dialog
// for the controls it names.
class Form : public Window {
 public:
  using Handler = std::function<void(Component* sender)>;

  using Window::Window;

  // Creates the window with a fixed dialog frame around the client size,
  // owned by the application window, or by the owner given (a modeless
  // form stays above its owner).
  void CreateDialogFrame(const char* className, const char* caption, int clientWidth,
                         int clientHeight, HWND owner = nullptr);
  // Escape closes the form, as the Cancel button of a dialog.
  void SetEscapeCloses(bool closes) { escapeCloses_ = closes; }

  void SetOnActivate(Handler handler) { onActivate_ = std::move(handler); }
  void SetOnClose(Handler handler) { onClose_ = std::move(handler); }

  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }

  // Disables the program's other windows, centres and shows the form and
  // runs the activation handler. Any result set meanwhile is dropped; then
  // messages are handled until a result is set, the form is closed
  // (result 2) or the application terminates (result 2). Afterwards the
  // other windows come back, the form is hidden and the close handler runs.
  int ShowModal();

  // Deletes the form once the messages already queued have been handled.
  // Only for a form created with new.
  void Release();

  int Top() const;
  void SetTop(int top);
  int Height() const;

  // Enter, Tab and Alt+letter act as in a dialog while the control has the
  // focus: Tab moves between tab stops, Enter clicks the focused button or
  // else the default button, a letter with Alt clicks the button it marks.
  void UseDialogKeys(HWND control);
  // The same for a control that filters its own messages: true when the
  // form took the message.
  bool TakesDialogKey(UINT message, WPARAM wParam);
  void SetDefaultButton(HWND button) { defaultButton_ = button; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Runs a handler as the message barrier does: an escaping exception is
  // reported and ends only that handler.
  void RunHandler(const Handler& handler);

 private:
  class KeyHook;
  bool DialogKey(WPARAM key);
  bool DialogChar(char letter);
  void RestoreFocus();
  void CentreOnScreen();
  void RunModalLoop();

  Handler onActivate_;
  Handler onClose_;
  bool modal_ = false;
  int modalResult_ = 0;
  HWND defaultButton_ = nullptr;
  bool escapeCloses_ = false;
  HWND lastFocus_ = nullptr;
  std::vector<std::unique_ptr<ControlHook>> keyHooks_;
};

}  // namespace winui
