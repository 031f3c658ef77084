#include "SystemLibraries.h"

#include <map>

#include "SystemFolders.h"

namespace winui {

namespace {

template <typename Function>
Function KernelFunction(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

}  // namespace

void KeepLibrarySearchInSystemFolder() {
  constexpr DWORD SearchSystemFolder = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
  if (const auto setDefault = KernelFunction<BOOL(WINAPI*)(DWORD)>("SetDefaultDllDirectories"))
    setDefault(SearchSystemFolder);
  if (const auto setFolder = KernelFunction<BOOL(WINAPI*)(LPCSTR)>("SetDllDirectoryA"))
    setFolder("");
}

HMODULE LoadSystemLibrary(const std::string& name) {
  std::string path = SystemDirectory();
  if (!path.empty() && path.back() != '\\') path += '\\';
  path += name;
  const UINT oldMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
  HMODULE library = LoadLibraryA(path.c_str());
  SetErrorMode(oldMode);
  return reinterpret_cast<UINT_PTR>(library) < 32 ? nullptr : library;
}

void** LateBoundSlot(const char* dll, const char* function) {
  static std::map<std::string, void*> slots;
  const std::string key = std::string(dll) + '!' + function;
  auto slot = slots.find(key);
  if (slot == slots.end()) {
    const HMODULE library = LoadSystemLibrary(dll);
    void* address = library ? reinterpret_cast<void*>(GetProcAddress(library, function)) : nullptr;
    slot = slots.emplace(key, address).first;
  }
  return &slot->second;
}

}  // namespace winui
