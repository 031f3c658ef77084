#include "BusyIndicator.h"

#include <commctrl.h>

#include <utility>

int BusyIndicator::running_ = 0;

BusyIndicator::BusyIndicator(HWND statusBar, std::function<void()> ended, const std::string& doing)
    : statusBar_(statusBar),
      ended_(std::move(ended)),
      previousCursor_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {
  ++running_;
  Show(doing);
}

BusyIndicator::~BusyIndicator() {
  --running_;
  SetCursor(previousCursor_);
  if (ended_) ended_();
}

void BusyIndicator::Show(const std::string& text) {
  if (text == shown_) return;
  shown_ = text;
  SendMessageA(statusBar_, SB_SETTEXTA, 255, reinterpret_cast<LPARAM>(text.c_str()));
  UpdateWindow(statusBar_);
  // Messages other programs send meanwhile are answered: a caller waiting
  // on this window does not hang for the length of the work.
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
}
