#pragma once
// Seconds on the high-resolution counter, for the benchmarks' timings.
#include <windows.h>

inline double Seconds() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Polls condition every couple of milliseconds until it holds (true) or the
// time is up (false).
template <typename Condition>
bool PollUntil(Condition condition, double timeoutSeconds) {
  const double end = Seconds() + timeoutSeconds;
  while (!condition()) {
    if (Seconds() > end) return false;
    Sleep(2);
  }
  return true;
}
