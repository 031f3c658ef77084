#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Long work on the window's thread (a load, a save, a print job): the wait
// cursor, and the status line saying what is being done, repainted at once
// since the window handles no messages meanwhile. Both return to what they
// were when the work ends, by success or by failure; `ended` runs then (it
// restores the status line), after Active() has taken the end into account.
class BusyIndicator {
 public:
  BusyIndicator(HWND statusBar, std::function<void()> ended, const std::string& doing);
  ~BusyIndicator();
  BusyIndicator(const BusyIndicator&) = delete;
  BusyIndicator& operator=(const BusyIndicator&) = delete;

  void Show(const std::string& text);
  // Whether some work is running: the window then keeps the wait cursor.
  static bool Active() { return running_ > 0; }

 private:
  HWND statusBar_;
  std::function<void()> ended_;
  HCURSOR previousCursor_;
  std::string shown_;
  static int running_;
};
