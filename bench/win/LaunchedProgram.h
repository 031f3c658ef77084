#pragma once
// A program under measurement: started, watched until its main window is
// shown and idle, made to open a document through its own File/Open dialog,
// and ended.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

class LaunchedProgram {
 public:
  // Starts the program with folder as its current directory, and the
  // arguments after its name on its command line.
  LaunchedProgram(const std::string& exe, const std::string& folder,
                  const std::string& arguments = "");
  ~LaunchedProgram();
  LaunchedProgram(const LaunchedProgram&) = delete;
  LaunchedProgram& operator=(const LaunchedProgram&) = delete;

  bool Started() const { return started_; }
  HANDLE Process() const { return process_.hProcess; }
  DWORD ProcessId() const { return process_.dwProcessId; }

  // Seconds from just before the start until the main window is shown and
  // idle; a negative value if that did not happen within the timeout.
  double WaitShownAndIdle(double timeoutSeconds);

  // Seconds from just before the start until the main window names the
  // file it was started on, its text holds at least minimumCharacters and
  // it is idle; negative if that did not happen within the timeout.
  double WaitShowing(const std::string& path, std::size_t minimumCharacters, double timeoutSeconds);

  // Opens the file through File > Open (Alt+F, O), its name written into
  // the dialog's name box and the dialog's Open button pressed. Seconds from
  // the press until the document is in the window and the program is idle
  // again; negative on failure. The text must hold at most
  // maximumCharacters too, so that a large document before it does not
  // count.
  double OpenDocument(const std::string& path, std::size_t minimumCharacters, double timeoutSeconds,
                      std::size_t maximumCharacters = SIZE_MAX);

  // Chooses a menu item by its access keys: Alt+menu, then item; false if
  // the main window did not come to the foreground.
  bool ChooseMenuItem(char menu, char item);
  // Presses and releases a key in the foreground window.
  static void PressKey(WORD virtualKey);
  // Seconds from now until the document is empty and the program idle;
  // a dialog that shows on the way (WordPad asks for the kind of a new
  // document) gets its default button. Negative if that did not happen
  // within the timeout.
  double WaitEmpty(double timeoutSeconds);

  // The peak working set of the process so far, in bytes.
  std::size_t PeakWorkingSet() const;

 private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
  double startedAt_ = 0;
  HWND main_ = nullptr;
};
