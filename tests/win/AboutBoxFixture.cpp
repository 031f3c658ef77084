#include "AboutBoxFixture.h"

#include <set>
#include <thread>

#include "AboutAnimation.h"
#include "Application.h"
#include "Unit2.h"

using namespace testing_support;

namespace about_test {

Sampler* Sampler::current_ = nullptr;

int FinalTop(int boxHeight) {
  return core::SlideTops(boxHeight, GetSystemMetrics(SM_CYSCREEN)).back();
}

Sampler::Sampler() {
  current_ = this;
  timer_ = SetTimer(nullptr, 0, 10, OnTimer);
}

Sampler::~Sampler() {
  KillTimer(nullptr, timer_);
  current_ = nullptr;
}

void CALLBACK Sampler::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (current_) current_->Take();
}

void Sampler::Take() {
  TAboutBox* box = AboutBox;
  if (!box || !box->Handle()) return;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (windows_.box && windows_.box != box->Handle()) return;  // another box
    windows_ = {box->Handle(),         box->Panel1.Handle(),  box->BitBtnOK.Handle(),
                box->BitBtn1.Handle(), box->Button1.Handle(), box->Memo1.Handle(),
                box->Label1.Handle(),  box->Label4.Handle()};
  }
  Sample sample{};
  sample.tick = GetTickCount();
  GetWindowRect(box->Handle(), &sample.box);
  sample.glyphSize = box->Label1.FontSize();
  const RECT glyph = RectInParent(box->Label1.Handle());
  sample.glyphCorner = {glyph.left, glyph.top};
  sample.glyphColor = box->Label1.Color();
  sample.glyphFontColor = box->Label1.FontColor();
  sample.modalResult = box->ModalResult();
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    samples_.push_back(sample);
  }
  if (onSample_) onSample_(sample);
}

std::vector<Sample> Sampler::Samples() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return samples_;
}

std::vector<Sample> Sampler::SamplesSince(DWORD tick) const {
  std::vector<Sample> since;
  for (const Sample& sample : Samples())
    if (static_cast<int>(sample.tick - tick) >= 0) since.push_back(sample);
  return since;
}

BoxWindows Sampler::Windows() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return windows_;
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMilliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMilliseconds);
  while (!condition()) {
    if (static_cast<int>(end - GetTickCount()) <= 0) return false;
    Sleep(10);
  }
  return true;
}

HWND FindMessageBox(const char* caption) {
  HWND box = FindWindowA("#32770", caption);
  return box && IsWindowVisible(box) ? box : nullptr;
}

namespace {

std::set<int> SizesIn(const std::vector<Sample>& samples) {
  std::set<int> sizes;
  for (const Sample& sample : samples) sizes.insert(sample.glyphSize);
  return sizes;
}

}  // namespace

BoxWindows Person::Box() {
  WaitFor([&] { return sampler_.Windows().box != nullptr; }, 10000);
  return sampler_.Windows();
}

bool Person::WaitForPulsing() {
  const HWND box = Box().box;
  const bool slid = WaitFor(
      [&] {
        RECT rc;
        GetWindowRect(box, &rc);
        return rc.top == FinalTop(rc.bottom - rc.top);
      },
      10000);
  return slid && GlyphPulsesWithin(3000);
}

void Person::Press(HWND control) {
  RECT rc;
  GetClientRect(control, &rc);
  PressAt(control, rc.right / 2, rc.bottom / 2);
}

void Person::Click(HWND control) {
  Press(control);
  HoldAndRelease();
}

void Person::PressAt(HWND window, int x, int y) {
  POINT at{x, y};
  ClientToScreen(window, &at);
  SetCursorPos(at.x, at.y);
  Sleep(30);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
}

// Held long enough for the box's loop to notice the press first, as a
// person's click is.
void Person::HoldAndRelease() {
  Sleep(150);
  MouseButton(MOUSEEVENTF_LEFTUP);
  Sleep(50);
}

void Person::Activate() {
  PressAt(Box().box, 164, 240);
  HoldAndRelease();
}

void Person::CloseWithOk() {
  Press(Box().ok);
  Sleep(100);
  EXPECT_TRUE(GlyphStandsStillFor(300)) << "the press stops the glyph";
  EXPECT_TRUE(BoxOpen()) << "no result is left from the pulsing";
  MouseButton(MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(BoxClosesWithin(2000));
}

void Person::Tap(BYTE key) {
  PressKey(key);
  Sleep(30);
  ReleaseKey(key);
  Sleep(50);
}

bool Person::GlyphStandsStillFor(int milliseconds) {
  const DWORD start = GetTickCount();
  Sleep(static_cast<DWORD>(milliseconds));
  const std::vector<Sample> seen = sampler_.SamplesSince(start);
  return seen.size() > 1 && SizesIn(seen).size() == 1;
}

bool Person::GlyphPulsesWithin(int milliseconds) {
  const DWORD start = GetTickCount();
  return WaitFor([&] { return SizesIn(sampler_.SamplesSince(start)).size() > 1; }, milliseconds);
}

bool Person::BoxOpen() { return IsWindowVisible(Box().box); }

bool Person::BoxClosesWithin(int milliseconds) {
  return WaitFor([&] { return !BoxOpen(); }, milliseconds);
}

void Person::CloseWhatIsLeftOpen() {
  const BoxWindows windows = sampler_.Windows();
  if (!windows.box) return;
  WaitFor(
      [&] {
        if (!IsWindowVisible(windows.box)) return true;
        if (HWND messageBox = FindMessageBox(nullptr)) PostMessageA(messageBox, WM_CLOSE, 0, 0);
        PostMessageA(windows.ok, BM_CLICK, 0, 0);
        Sleep(200);
        return false;
      },
      20000);
}

}  // namespace about_test

void AboutBoxTest::SetUp() {
  MainFormTest::SetUp();
  // A quit taken by an earlier test would end every loop of the box at once.
  ASSERT_FALSE(winui::Application::Instance().Terminated());
}

void AboutBoxTest::UseAboutBox(about_test::Sampler& sampler,
                               const std::function<void(about_test::Person&)>& script) {
  std::thread person([&] {
    about_test::Person somebody(sampler);
    script(somebody);
    somebody.CloseWhatIsLeftOpen();
  });
  form->HelpAboutItem.Click();
  person.join();
  Pump(50);
  EXPECT_EQ(AboutBox, nullptr) << "the closed box is released";
}
