#pragma once
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "SyntheticInput.h"
#include "ThreadWindows.h"

// Drives the real modal windows (common dialogs, questions, error boxes)
// while the code under test sits in their loops: a timer runs the steps
// one by one, each waiting for its window and then acting on it with real
// input, as a person would.
namespace testing_support {

class ModalScript {
 public:
  using Finder = std::function<HWND()>;
  using Action = std::function<void(HWND)>;

  // Adds a step: once find() has given the same window on two ticks in a
  // row, act() runs on it.
  ModalScript& On(Finder find, Action act);

  // Runs the command with the script's timer on. After the time-out every
  // window left open is cancelled, and what was open is written to the
  // test's output. True when every step ran in time. A window that does not
  // answer even its cancel (its thread dispatches no timer) ends the test
  // program, naming the test, so that a run never waits on it.
  bool Run(const std::function<void()>& command, int timeoutMilliseconds = 20000);

  // The texts of the windows the steps acted on, in order.
  const std::vector<std::string>& Seen() const { return seen_; }
  // How many steps ran; whether the run was cut off at its time-out.
  size_t StepsRun() const { return next_; }
  bool TimedOut() const { return timedOut_; }

 private:
  struct Step {
    Finder find;
    Action act;
  };
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void OnTick();
  void TimeOut();

  std::vector<Step> steps_;
  std::vector<std::string> seen_;
  size_t next_ = 0;
  HWND candidate_ = nullptr;
  DWORD deadline_ = 0;
  bool busy_ = false;
  bool timedOut_ = false;
};

// Windows of this thread, found by what a person sees.
HWND OpenDialog();                       // any "#32770"
HWND CommonDialog(const char* caption);  // "#32770" with that caption
HWND QuestionBox();                      // the confirmation question
HWND ErrorBox();                         // the error display's box
// All static texts of a dialog, joined by newlines.
std::string DialogText(HWND dialog);

// Real input into the window that has the focus, queued without waiting
// (a step must not pump the loop it runs in); SyntheticInput.h has the keys
// and clicks.
void TypeText(const std::string& text);
void PressCombination(BYTE modifier, BYTE key);
// Clicks the dialog's button whose caption is one of the given ones.
void ClickButton(HWND dialog, std::initializer_list<const char*> captions);

// Steps for the open and save dialogs: choose the file type, type the
// name into the file name box, tick or clear the read-only box, press OK.
void ChooseFileType(HWND dialog, int filterIndex);
void EnterFileName(HWND dialog, const std::string& name);
void SetReadOnlyBox(HWND dialog, bool ticked);

// The answers to a question box.
void AnswerYes(HWND box);
void AnswerNo(HWND box);
void AnswerCancel(HWND box);

}  // namespace testing_support
