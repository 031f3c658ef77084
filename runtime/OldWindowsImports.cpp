// The C and C++ runtimes the programs are linked with call a few functions
// that the oldest systems the programs are for lack or only pretend to
// have: Windows 95, 98 and ME export the Unicode functions below as stubs
// that fail, and 64-bit Windows XP has no GetTickCount64. This file fills
// the runtime's import slots for them with functions that work on every
// system, so the linker takes no import of them from the system.
#include <windows.h>

namespace {

// The names the runtime passes (module and DLL names) are plain ASCII.
class NarrowName {
 public:
  explicit NarrowName(const wchar_t* name) {
    ok_ = !name ||
          WideCharToMultiByte(CP_ACP, 0, name, -1, text_, sizeof text_, nullptr, nullptr) > 0;
    if (!ok_) SetLastError(ERROR_INVALID_PARAMETER);
  }
  bool Ok() const { return ok_; }
  const char* Text(const wchar_t* name) const { return name ? text_ : nullptr; }

 private:
  char text_[MAX_PATH] = {};
  bool ok_ = false;
};

HANDLE WINAPI CreateSemaphoreThroughAnsi(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum,
                                         LPCWSTR name) {
  const NarrowName narrow(name);
  return narrow.Ok() ? CreateSemaphoreA(security, initial, maximum, narrow.Text(name)) : nullptr;
}

HMODULE WINAPI GetModuleHandleThroughAnsi(LPCWSTR name) {
  const NarrowName narrow(name);
  return narrow.Ok() ? GetModuleHandleA(narrow.Text(name)) : nullptr;
}

HMODULE WINAPI LoadLibraryThroughAnsi(LPCWSTR name) {
  const NarrowName narrow(name);
  return narrow.Ok() && name ? LoadLibraryA(narrow.Text(name)) : nullptr;
}

#ifdef _WIN64
// Where the system lacks it, the 32-bit count, which wraps after 49 days,
// is what the runtime's timeouts get.
ULONGLONG WINAPI TickCount64() {
  using SystemCount = ULONGLONG(WINAPI*)();
  static const auto system = reinterpret_cast<SystemCount>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount64")));
  return system ? system() : GetTickCount();
}
#endif

}  // namespace

// An import slot is the pointer the runtime's calls go through; its symbol
// is __imp_ and the function's name, decorated as the architecture does.
#ifdef _WIN64
#define IMPORT_SLOT(name, argumentBytes) __asm__("__imp_" #name)
#else
#define IMPORT_SLOT(name, argumentBytes) __asm__("__imp__" #name "@" #argumentBytes)
#endif

extern "C" {
extern decltype(&CreateSemaphoreW) const createSemaphoreSlot IMPORT_SLOT(CreateSemaphoreW, 16);
decltype(&CreateSemaphoreW) const createSemaphoreSlot = CreateSemaphoreThroughAnsi;
extern decltype(&GetModuleHandleW) const getModuleHandleSlot IMPORT_SLOT(GetModuleHandleW, 4);
decltype(&GetModuleHandleW) const getModuleHandleSlot = GetModuleHandleThroughAnsi;
extern decltype(&LoadLibraryW) const loadLibrarySlot IMPORT_SLOT(LoadLibraryW, 4);
decltype(&LoadLibraryW) const loadLibrarySlot = LoadLibraryThroughAnsi;
#ifdef _WIN64
extern decltype(&TickCount64) const tickCountSlot IMPORT_SLOT(GetTickCount64, 0);
decltype(&TickCount64) const tickCountSlot = TickCount64;
#endif
}
