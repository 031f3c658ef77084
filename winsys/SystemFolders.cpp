#include "SystemFolders.h"

#include <windows.h>

#include "GrowingBuffer.h"

std::string WindowsDirectory() {
  return core::ReadWithReportedSize([](char* buffer, std::size_t size) -> std::size_t {
    return GetWindowsDirectoryA(buffer, static_cast<UINT>(size));
  });
}

std::string SystemDirectory() {
  return core::ReadWithReportedSize([](char* buffer, std::size_t size) -> std::size_t {
    return GetSystemDirectoryA(buffer, static_cast<UINT>(size));
  });
}

std::string OwnExecutablePath() {
  return core::ReadUntilItFits([](char* buffer, std::size_t size) -> std::size_t {
    return GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(size));
  });
}
