#include "ModalScript.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

#include "ThreadWindows.h"

namespace testing_support {

namespace {

ModalScript* running = nullptr;
constexpr UINT TickMilliseconds = 100;

// Text of a window of any thread, without waiting on a thread that hangs.
std::string TextOf(HWND hwnd) {
  char text[256] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 500, &length);
  return text;
}

// The window a time-out leaves open: the last enabled modal one. A box
// whose Escape does nothing (it has no cancel button) still takes its
// close box.
BOOL CALLBACK CancelModal(HWND hwnd, LPARAM) {
  if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return TRUE;
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (lstrcmpA(name, "#32770") == 0 || TextOf(hwnd) == "Best\xE4tigen") {
    PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
  }
  return TRUE;
}

BOOL CALLBACK DescribeChild(HWND child, LPARAM data) {
  const std::string text = TextOf(child);
  if (!text.empty() && IsWindowVisible(child))
    *reinterpret_cast<std::string*>(data) += " '" + text + "'";
  return TRUE;
}

BOOL CALLBACK DescribeWindow(HWND hwnd, LPARAM data) {
  if (!IsWindowVisible(hwnd)) return TRUE;
  auto& text = *reinterpret_cast<std::string*>(data);
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  text += std::string("\n  ") + name + " \"" + TextOf(hwnd) + "\"" +
          (IsWindowEnabled(hwnd) ? "" : " (disabled)") + ":";
  EnumChildWindows(hwnd, DescribeChild, data);
  return TRUE;
}

// The visible windows of a thread with their texts, for a report.
std::string WindowsOf(DWORD thread) {
  std::string text;
  EnumThreadWindows(thread, DescribeWindow, reinterpret_cast<LPARAM>(&text));
  return text;
}

std::string CurrentTest() {
  const auto* test = testing::UnitTest::GetInstance()->current_test_info();
  return test ? std::string(test->test_suite_name()) + "." + test->name() : "(no test)";
}

// Watches a script's run from a thread of its own: when the run's thread
// does not end it in time (its windows dispatch no timer), the windows are
// cancelled by message, and when even that brings no end the program is
// ended with a report.
class Watcher {
 public:
  Watcher(DWORD thread, int timeoutMilliseconds)
      : thread_(thread),
        deadline_(std::chrono::steady_clock::now() +
                  std::chrono::milliseconds(timeoutMilliseconds)),
        watching_([this] { Watch(); }) {}
  ~Watcher() {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      ended_ = true;
    }
    changed_.notify_one();
    watching_.join();
  }
  Watcher(const Watcher&) = delete;
  Watcher& operator=(const Watcher&) = delete;

 private:
  static constexpr std::chrono::seconds CancelAfter{2}, AbandonAfter{10};

  bool WaitUntil(std::chrono::steady_clock::time_point when) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_until(lock, when, [this] { return ended_; });
  }

  void Watch() {
    if (WaitUntil(deadline_ + CancelAfter)) return;
    EnumThreadWindows(thread_, CancelModal, 0);
    if (WaitUntil(deadline_ + AbandonAfter)) return;
    std::fprintf(stderr, "\n%s: a modal window does not answer, not even its cancel:%s\n",
                 CurrentTest().c_str(), WindowsOf(thread_).c_str());
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
  }

  const DWORD thread_;
  const std::chrono::steady_clock::time_point deadline_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool ended_ = false;
  std::thread watching_;
};

}  // namespace

ModalScript& ModalScript::On(Finder find, Action act) {
  steps_.push_back({std::move(find), std::move(act)});
  return *this;
}

bool ModalScript::Run(const std::function<void()>& command, int timeoutMilliseconds) {
  ModalScript* const outer = running;
  running = this;
  deadline_ = GetTickCount() + static_cast<DWORD>(timeoutMilliseconds);
  const UINT_PTR timer = SetTimer(nullptr, 0, TickMilliseconds, Tick);
  {
    const Watcher watcher(GetCurrentThreadId(), timeoutMilliseconds);
    command();
  }
  KillTimer(nullptr, timer);
  running = outer;
  return !timedOut_ && next_ == steps_.size();
}

void CALLBACK ModalScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (running && !running->busy_) running->OnTick();
}

void ModalScript::OnTick() {
  busy_ = true;
  if (static_cast<int>(GetTickCount() - deadline_) > 0) {
    TimeOut();
  } else if (next_ < steps_.size()) {
    HWND found = steps_[next_].find();
    if (found && found == candidate_) {
      seen_.push_back(DialogText(found));
      steps_[next_++].act(found);
      found = nullptr;
    }
    candidate_ = found;
  }
  busy_ = false;
}

// Says once what was open when the steps stopped, then cancels it.
void ModalScript::TimeOut() {
  if (!timedOut_) {
    const std::string what = next_ < steps_.size()
                                 ? "step " + std::to_string(next_ + 1) + " found no window in time"
                                 : "the command did not end after its steps";
    std::fprintf(stderr, "%s: %s; open:%s\n", CurrentTest().c_str(), what.c_str(),
                 WindowsOf(GetCurrentThreadId()).c_str());
  }
  timedOut_ = true;
  EnumThreadWindows(GetCurrentThreadId(), CancelModal, 0);
}

HWND OpenDialog() { return FindThreadWindow("#32770", nullptr); }
HWND CommonDialog(const char* caption) { return FindThreadWindow("#32770", caption); }
HWND QuestionBox() { return FindThreadWindow(nullptr, "Best\xE4tigen"); }
HWND ErrorBox() { return FindThreadWindow("#32770", "Dabiro"); }

std::string DialogText(HWND dialog) {
  std::string text;
  for (HWND label : ChildrenOfClass(dialog, "Static")) {
    const std::string part = WindowText(label);
    if (part.empty()) continue;
    if (!text.empty()) text += '\n';
    text += part;
  }
  return text;
}

void TypeText(const std::string& text) {
  for (char c : text) {
    const SHORT scan = VkKeyScanA(c);
    const bool shift = (scan >> 8) & 1;
    if (shift) PressKey(VK_SHIFT);
    QueueKey(static_cast<BYTE>(scan & 0xFF));
    if (shift) ReleaseKey(VK_SHIFT);
  }
}

void PressCombination(BYTE modifier, BYTE key) { QueueKeys({modifier, key}); }

void ClickButton(HWND dialog, std::initializer_list<const char*> captions) {
  for (HWND button : ChildrenOfClass(dialog, "Button"))
    for (const char* caption : captions)
      if (WindowText(button) == caption) return ClickControl(button);
}

void ChooseFileType(HWND dialog, int filterIndex) {
  ClickControl(GetDlgItem(dialog, cmb1));
  QueueKey(VK_HOME);
  for (int i = 1; i < filterIndex; ++i) QueueKey(VK_DOWN);
  QueueKey(VK_RETURN);
}

void EnterFileName(HWND dialog, const std::string& name) {
  // The name box is an edit or a combo box with an edit, by version.
  HWND box = GetDlgItem(dialog, edt1);
  if (!box) box = GetDlgItem(dialog, cmb13);
  HWND inner = FindWindowExA(box, nullptr, "Edit", nullptr);
  HWND edit = inner ? inner : box;
  ClickControl(edit);
  QueueKey(VK_END);
  PressCombination(VK_SHIFT, VK_HOME);
  TypeText(name);
  // A click, not Enter: the release of Enter would reach the window below.
  ClickControl(GetDlgItem(dialog, IDOK));
}

void SetReadOnlyBox(HWND dialog, bool ticked) {
  HWND box = GetDlgItem(dialog, chx1);
  if ((SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED) != ticked) ClickControl(box);
}

void AnswerYes(HWND box) { ClickButton(box, {"&Ja", "&Yes"}); }
void AnswerNo(HWND box) { ClickButton(box, {"&Nein", "&No"}); }
void AnswerCancel(HWND box) { ClickButton(box, {"Abbrechen", "Cancel"}); }

}  // namespace testing_support
