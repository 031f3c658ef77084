#pragma once
#include <windows.h>

// For its life, replaces the address through which this program calls one
// function it imports from a system DLL, so that a test can make the
// system fail at an exact call. The replacement may call Original().
class ImportPatch {
 public:
  ImportPatch(const char* dll, const char* function, void* replacement);
  ~ImportPatch();
  ImportPatch(const ImportPatch&) = delete;
  ImportPatch& operator=(const ImportPatch&) = delete;

  template <typename Function>
  Function Original() const {
    return reinterpret_cast<Function>(original_);
  }

 private:
  void** slot_ = nullptr;
  void* original_ = nullptr;
};
