#include "InputWatchdog.h"

#include <windows.h>

#include <csignal>
#include <cstdio>

namespace {

// The input of the running watchdog, for the crash reports; they run on the
// thread that works on the inputs.
const std::string* workedOn = nullptr;

[[noreturn]] void Abandon(const char* what, const std::string& label) {
  std::fprintf(stderr, "\n%s while working on input %s\n", what, label.c_str());
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), 3);
  for (;;) Sleep(INFINITE);
}

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* exception) {
  char what[64];
  std::snprintf(what, sizeof what, "Exception %08lx",
                static_cast<unsigned long>(exception->ExceptionRecord->ExceptionCode));
  Abandon(what, workedOn ? *workedOn : std::string());
}

// A failed assertion inside a system library aborts.
void ReportAbort(int) { Abandon("Abort", workedOn ? *workedOn : std::string()); }

}  // namespace

InputWatchdog::InputWatchdog(std::chrono::milliseconds budget)
    : budget_(budget), thread_([this] { Watch(); }) {
  workedOn = &label_;
  SetUnhandledExceptionFilter(ReportCrash);
  std::signal(SIGABRT, ReportAbort);
}

InputWatchdog::~InputWatchdog() {
  std::signal(SIGABRT, SIG_DFL);
  SetUnhandledExceptionFilter(nullptr);
  workedOn = nullptr;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    closing_ = true;
  }
  changed_.notify_one();
  thread_.join();
}

void InputWatchdog::Start(const std::string& label) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    label_ = label;
    deadline_ = std::chrono::steady_clock::now() + budget_;
  }
  changed_.notify_one();
}

void InputWatchdog::Stop() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    label_.clear();
  }
  changed_.notify_one();
}

void InputWatchdog::Watch() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!closing_) {
    if (label_.empty()) {
      changed_.wait(lock);
      continue;
    }
    if (std::chrono::steady_clock::now() >= deadline_) Abandon("No answer in time", label_);
    changed_.wait_until(lock, deadline_);
  }
}
