#include "FileDialog.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "Exceptions.h"
#include "LateBoundCalls.h"
#include "ModalScope.h"
#include "RunningSystem.h"

namespace winui {

namespace {
// "a|b|c" becomes "a\0b\0c\0\0", the form the dialog takes.
std::string FilterForDialog(const std::string& filter) {
  std::string result = filter;
  for (char& c : result)
    if (c == '|') c = '\0';
  result.append(2, '\0');
  return result;
}
}  // namespace

bool FileDialog::Execute(HWND owner) {
  std::vector<char> name(32768, '\0');
  fileName.copy(name.data(), name.size() - 1);
  const std::string filters = FilterForDialog(filter);
  OPENFILENAMEA ofn{};
  // 95, 98, ME and NT 4.0 refuse the structure's Windows 2000 size.
  ofn.lStructSize = RunsOnWindows2000OrLater() ? sizeof ofn : OPENFILENAME_SIZE_VERSION_400A;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filters.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(filterIndex);
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  // With no hook or template, Windows shows its resizable Explorer-style
  // dialog without OFN_EXPLORER and OFN_ENABLESIZING. Wine takes those flags
  // as a request for a larger dialog, about 1.5 MiB more memory.
  ofn.Flags = OFN_HIDEREADONLY;
  if (kind_ == Kind::Open)
    ofn.Flags = (ofn.Flags & ~OFN_HIDEREADONLY) | (readOnly ? OFN_READONLY : 0);
  ModalScope modal;
  const BOOL ok = kind_ == Kind::Open ? late::GetOpenFileNameA(&ofn) : late::GetSaveFileNameA(&ofn);
  if (!ok) {
    // A refused dialog is a failure to say, not a cancel.
    if (const DWORD error = late::CommDlgExtendedError())
      throw core::Exception("Der Dateidialog kann nicht angezeigt werden (Fehler " +
                            std::to_string(error) + ")");
    return false;
  }
  fileName = name.data();
  filterIndex = static_cast<int>(ofn.nFilterIndex);
  if (kind_ == Kind::Open) readOnly = (ofn.Flags & OFN_READONLY) != 0;
  return true;
}

}  // namespace winui
