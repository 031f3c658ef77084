#pragma once
// The program's calls into the common dialogs and the shell. Loaded with
// the program, those two libraries and what they load in turn took a
// sixth of its start under Wine and 6 MiB; the program needs them only
// for a command, so they are loaded at the first call (from the system
// folder, through LateBoundSlot).
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

namespace winui::late {

// True for the libraries whose functions are called through here, spelled
// COMDLG32.DLL and SHELL32.DLL.
bool BindsLate(const char* dll);

// As the functions of the same names. Without their library, the dialogs
// and the drop functions fail with an exception that names it;
// ShellExecuteA, whose failures are not examined, does nothing.
BOOL GetOpenFileNameA(OPENFILENAMEA* ofn);
BOOL GetSaveFileNameA(OPENFILENAMEA* ofn);
DWORD CommDlgExtendedError();
BOOL PrintDlgA(PRINTDLGA* dialog);
BOOL PageSetupDlgA(PAGESETUPDLGA* dialog);
BOOL ChooseFontA(CHOOSEFONTA* choice);
UINT DragQueryFileA(HDROP drop, UINT index, char* name, UINT size);
void DragFinish(HDROP drop);
void ShellExecuteA(HWND owner, const char* operation, const char* file, const char* parameters,
                   const char* folder, int show);

}  // namespace winui::late
