#include "LaunchedProgram.h"

#include <dlgs.h>
#include <psapi.h>

#include <algorithm>
#include <cctype>

#include "Clock.h"
#include "ProcessWindows.h"
#include "SyntheticInput.h"

namespace {

// A key with its scan code, as the keyboard sends it.
void Key(WORD virtualKey, bool down) {
  const BYTE key = static_cast<BYTE>(virtualKey), scan = testing_support::ScanCodeOf(key);
  down ? testing_support::PressKey(key, scan) : testing_support::ReleaseKey(key, scan);
}

void Tap(WORD virtualKey) {
  Key(virtualKey, true);
  Key(virtualKey, false);
}

std::string Lowercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool TitleNames(HWND window, const std::string& path) {
  return Lowercase(TitleOf(window)).find(Lowercase(BaseName(path))) != std::string::npos;
}

// Asked in the control's own character set: Wine answers a converted
// WM_GETTEXTLENGTH by copying the whole text, which would add to the peak
// working set being measured.
std::size_t TextLength(HWND window) {
  const HWND text = RichEditIn(window);
  if (!text) return 0;
  const auto send = IsWindowUnicode(text) ? SendMessageTimeoutW : SendMessageTimeoutA;
  DWORD_PTR length = 0;
  if (!send(text, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return 0;
  return length;
}

// Whether the text is empty, asked without its length: a length asked of a
// control that its program subclassed as ANSI is answered by converting the
// whole text, a tenth of a second for 1 MB under Wine.
bool TextIsEmpty(HWND window) {
  const HWND text = RichEditIn(window);
  DWORD_PTR lines = 0, firstLine = 0;
  return text && SendMessageTimeoutA(text, EM_GETLINECOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &lines) &&
         lines == 1 &&
         SendMessageTimeoutA(text, EM_LINELENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &firstLine) &&
         firstLine == 0;
}

}  // namespace

LaunchedProgram::LaunchedProgram(const std::string& exe, const std::string& folder,
                                 const std::string& arguments) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
  startedAt_ = Seconds();
  started_ = CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.c_str(), &startup, &process_) != FALSE;
}

LaunchedProgram::~LaunchedProgram() {
  if (!started_) return;
  // Ended the hard way, so that no run leaves settings behind for the next.
  TerminateProcess(process_.hProcess, 0);
  WaitForSingleObject(process_.hProcess, 10000);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

double LaunchedProgram::WaitShownAndIdle(double timeoutSeconds) {
  const bool shown = PollUntil(
      [&] {
        main_ = MainWindowOf(process_.dwProcessId);
        return main_ && Settled(process_.hProcess, main_);
      },
      timeoutSeconds);
  return shown ? Seconds() - startedAt_ : -1;
}

double LaunchedProgram::WaitShowing(const std::string& path, std::size_t minimumCharacters,
                                    double timeoutSeconds) {
  const bool shown = PollUntil(
      [&] {
        main_ = MainWindowOf(process_.dwProcessId);
        return main_ && TitleNames(main_, path) && TextLength(main_) >= minimumCharacters &&
               Settled(process_.hProcess, main_);
      },
      timeoutSeconds);
  return shown ? Seconds() - startedAt_ : -1;
}

bool LaunchedProgram::ChooseMenuItem(char menu, char item) {
  SetForegroundWindow(main_);
  if (!PollUntil([&] { return GetForegroundWindow() == main_; }, 5)) return false;
  Key(VK_MENU, true);
  Tap(static_cast<WORD>(menu));
  Key(VK_MENU, false);
  Sleep(50);
  Tap(static_cast<WORD>(item));
  return true;
}

void LaunchedProgram::PressKey(WORD virtualKey) { Tap(virtualKey); }

double LaunchedProgram::WaitEmpty(double timeoutSeconds) {
  const double start = Seconds();
  const bool emptied = PollUntil(
      [&] {
        if (HWND dialog = DialogOf(process_.dwProcessId))
          PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        return !DialogOf(process_.dwProcessId) && TextIsEmpty(main_) &&
               Settled(process_.hProcess, main_);
      },
      timeoutSeconds);
  return emptied ? Seconds() - start : -1;
}

double LaunchedProgram::OpenDocument(const std::string& path, std::size_t minimumCharacters,
                                     double timeoutSeconds, std::size_t maximumCharacters) {
  if (!ChooseMenuItem('F', 'O')) return -1;
  HWND dialog = nullptr;
  if (!PollUntil([&] { return (dialog = DialogOf(process_.dwProcessId)) != nullptr; }, 10))
    return -1;
  HWND name = GetDlgItem(dialog, edt1);  // the name box: an edit, or a combo box
  if (!name) name = GetDlgItem(dialog, cmb13);
  if (!name || !SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str())))
    return -1;
  const double pressedAt = Seconds();
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  const bool opened = PollUntil(
      [&] {
        if (IsWindow(dialog) || !TitleNames(main_, path)) return false;
        const std::size_t length = TextLength(main_);
        return length >= minimumCharacters && length <= maximumCharacters &&
               Settled(process_.hProcess, main_);
      },
      timeoutSeconds);
  return opened ? Seconds() - pressedAt : -1;
}

std::size_t LaunchedProgram::PeakWorkingSet() const {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process_.hProcess, &counters, sizeof counters)) return 0;
  return counters.PeakWorkingSetSize;
}
