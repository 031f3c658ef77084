#pragma once
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

// Names the input a test was working on when the test program hangs or
// crashes on it, and ends the program at once: a run over thousands of
// inputs would otherwise stall without a word, or end in the system's
// debugger, without saying which input did it.
class InputWatchdog {
 public:
  explicit InputWatchdog(std::chrono::milliseconds budget);
  ~InputWatchdog();
  InputWatchdog(const InputWatchdog&) = delete;
  InputWatchdog& operator=(const InputWatchdog&) = delete;

  // The budget starts for this input.
  void Start(const std::string& label);
  void Stop();

 private:
  void Watch();

  const std::chrono::milliseconds budget_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::string label_;  // empty while no input is being worked on
  std::chrono::steady_clock::time_point deadline_;
  bool closing_ = false;
  std::thread thread_;
};
