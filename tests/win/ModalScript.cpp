#include "ModalScript.h"

#include <dlgs.h>

#include "ModalDriver.h"
#include "TestSupport.h"

namespace testing_support {

namespace {

ModalScript* running = nullptr;
constexpr UINT TickMilliseconds = 100;

void KeyDown(BYTE key) { keybd_event(key, 0, 0, 0); }
void KeyUp(BYTE key) { keybd_event(key, 0, KEYEVENTF_KEYUP, 0); }

// The window a time-out leaves open: the last enabled modal one.
BOOL CALLBACK CancelModal(HWND hwnd, LPARAM) {
  if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return TRUE;
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (lstrcmpA(name, "#32770") == 0 || WindowText(hwnd) == "Best\xE4tigen")
    PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

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
  command();
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
    timedOut_ = true;
    EnumThreadWindows(GetCurrentThreadId(), CancelModal, 0);
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

void QueueKey(BYTE key) {
  KeyDown(key);
  KeyUp(key);
}

void TypeText(const std::string& text) {
  for (char c : text) {
    const SHORT scan = VkKeyScanA(c);
    const bool shift = (scan >> 8) & 1;
    if (shift) KeyDown(VK_SHIFT);
    QueueKey(static_cast<BYTE>(scan & 0xFF));
    if (shift) KeyUp(VK_SHIFT);
  }
}

void PressCombination(BYTE modifier, BYTE key) {
  KeyDown(modifier);
  QueueKey(key);
  KeyUp(modifier);
}

void ClickControl(HWND control) {
  RECT rc;
  GetWindowRect(control, &rc);
  SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

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
