#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "SyntheticInput.h"

// Modal dialogs block the test in their own message loop. A ModalDriver
// works them from thread-timer ticks that loop dispatches: while a dialog
// is open, each tick runs the next step. Steps queue real input and
// return; the dialog's own loop then takes that input. A dialog still open
// after its steps and a grace time is closed, and the driver says so.
namespace testing_support {

class ModalDriver {
 public:
  using Step = std::function<void(HWND dialog)>;
  explicit ModalDriver(std::vector<Step> steps);
  ~ModalDriver();
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  int StepsRun() const { return next_; }
  bool TimedOut() const { return timedOut_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void OnTick();

  std::vector<Step> steps_;
  int next_ = 0;
  int idleTicks_ = 0;
  bool timedOut_ = false;
  UINT_PTR timer_ = 0;
};

// The visible system dialog of this thread (class "#32770"), or null.
HWND OpenDialog();

// Children of a window with the class, in creation order.
std::vector<HWND> ChildrenOfClass(HWND parent, const char* className);
HWND ChildWithText(HWND parent, const std::string& text);

// Steps queue real input (SyntheticInput.h) without pumping: the dialog's
// loop must be the one that takes it.
// A screen point on the window's close box, found by hit-testing.
bool CloseBoxPoint(HWND window, POINT& point);

}  // namespace testing_support
