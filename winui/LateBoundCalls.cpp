#include "LateBoundCalls.h"

#include <cstring>
#include <string>

#include "Exceptions.h"
#include "SystemLibraries.h"

namespace winui::late {

namespace {

constexpr char CommonDialogs[] = "COMDLG32.DLL";
constexpr char Shell[] = "SHELL32.DLL";

template <typename Function>
Function Bound(const char* dll, const char* name) {
  return reinterpret_cast<Function>(*LateBoundSlot(dll, name));
}

template <typename Function>
Function Required(const char* dll, const char* name) {
  const Function function = Bound<Function>(dll, name);
  if (!function) throw core::Exception(std::string("Kann ") + dll + " nicht laden");
  return function;
}

}  // namespace

bool BindsLate(const char* dll) {
  return std::strcmp(dll, CommonDialogs) == 0 || std::strcmp(dll, Shell) == 0;
}

BOOL GetOpenFileNameA(OPENFILENAMEA* ofn) {
  return Required<decltype(&::GetOpenFileNameA)>(CommonDialogs, "GetOpenFileNameA")(ofn);
}

BOOL GetSaveFileNameA(OPENFILENAMEA* ofn) {
  return Required<decltype(&::GetSaveFileNameA)>(CommonDialogs, "GetSaveFileNameA")(ofn);
}

DWORD CommDlgExtendedError() {
  return Required<decltype(&::CommDlgExtendedError)>(CommonDialogs, "CommDlgExtendedError")();
}

BOOL PrintDlgA(PRINTDLGA* dialog) {
  return Required<decltype(&::PrintDlgA)>(CommonDialogs, "PrintDlgA")(dialog);
}

BOOL PageSetupDlgA(PAGESETUPDLGA* dialog) {
  return Required<decltype(&::PageSetupDlgA)>(CommonDialogs, "PageSetupDlgA")(dialog);
}

BOOL ChooseFontA(CHOOSEFONTA* choice) {
  return Required<decltype(&::ChooseFontA)>(CommonDialogs, "ChooseFontA")(choice);
}

UINT DragQueryFileA(HDROP drop, UINT index, char* name, UINT size) {
  return Required<decltype(&::DragQueryFileA)>(Shell, "DragQueryFileA")(drop, index, name, size);
}

void DragFinish(HDROP drop) { Required<decltype(&::DragFinish)>(Shell, "DragFinish")(drop); }

void ShellExecuteA(HWND owner, const char* operation, const char* file, const char* parameters,
                   const char* folder, int show) {
  if (const auto execute = Bound<decltype(&::ShellExecuteA)>(Shell, "ShellExecuteA"))
    execute(owner, operation, file, parameters, folder, show);
}

}  // namespace winui::late
