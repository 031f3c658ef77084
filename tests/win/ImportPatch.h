#pragma once
#include <windows.h>

#include <string>

// For its life, replaces the address through which this program calls one
// function it imports from a system DLL, so that a test can make the
// system fail at an exact call. The replacement reaches the function it
// stands in for through Original.
class ImportPatch {
 public:
  ImportPatch(const char* dll, const char* function, void* replacement);
  ~ImportPatch();
  ImportPatch(const ImportPatch&) = delete;
  ImportPatch& operator=(const ImportPatch&) = delete;

  // The function the newest live patch of that name replaced.
  template <typename Function>
  static Function Original(const char* function) {
    return reinterpret_cast<Function>(OriginalOf(function));
  }

 private:
  static void* OriginalOf(const char* function);

  std::string function_;
  void** slot_ = nullptr;
  void* original_ = nullptr;
};
