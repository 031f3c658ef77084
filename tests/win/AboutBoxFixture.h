#pragma once
// The about box under test: opened from the main window's Help/About,
// watched by a timer on the window thread while the box's own loops run,
// and used by a person on a second thread with real mouse and keyboard
// input (the window thread is busy inside the box the whole time).
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <mutex>
#include <vector>

#include "MainFormFixture.h"

namespace about_test {

// What the timer saw of the box at one moment.
struct Sample {
  DWORD tick;
  RECT box;           // on the screen
  int glyphSize;      // Label1's font size in points
  POINT glyphCorner;  // Label1's top left in Panel1
  COLORREF glyphColor;
  COLORREF glyphFontColor;
  int modalResult;
};

// The windows of the box that a person aims at.
struct BoxWindows {
  HWND box, panel, ok, help, mail, memo, glyph, link;
};

// Where the slide ends for a box of this outer height.
int FinalTop(int boxHeight);

// Samples the current about box every 10 ms on the window thread that
// creates the sampler. One sampler watches one box.
class Sampler {
 public:
  Sampler();
  ~Sampler();
  Sampler(const Sampler&) = delete;
  Sampler& operator=(const Sampler&) = delete;

  // Runs on the window thread after each sample.
  void SetOnSample(std::function<void(const Sample&)> action) { onSample_ = std::move(action); }
  std::vector<Sample> Samples() const;
  std::vector<Sample> SamplesSince(DWORD tick) const;
  // Null windows until the box has been seen.
  BoxWindows Windows() const;

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  void Take();

  static Sampler* current_;
  UINT_PTR timer_ = 0;
  mutable std::mutex mutex_;
  std::vector<Sample> samples_;
  BoxWindows windows_{};
  std::function<void(const Sample&)> onSample_;
};

// A person at the screen: acts with real input and judges what the
// sampler saw. Runs on its own thread.
class Person {
 public:
  explicit Person(const Sampler& sampler) : sampler_(sampler) {}

  // The box's windows, once it is there.
  BoxWindows Box();
  // Waits until the slide is over and the glyph has changed size.
  bool WaitForPulsing();

  // At the control's middle.
  void Click(HWND control);
  void Tap(BYTE key);

  // Wine on a bare X server takes the keyboard from a window that moves off
  // the screen, as the box does before its slide; a click on the box's own
  // surface activates it again.
  void Activate();
  // A press on OK stops the glyph at once and leaves the box open, whatever
  // result was set while the glyph pulsed; the release clicks OK and closes
  // it. Checks all three.
  void CloseWithOk();

  bool GlyphStandsStillFor(int milliseconds);
  bool GlyphPulsesWithin(int milliseconds);
  bool BoxOpen();
  bool BoxClosesWithin(int milliseconds);
  // Answers any message box and presses OK until the box has closed, so a
  // failed script never leaves the window thread inside the box.
  void CloseWhatIsLeftOpen();

 private:
  void Press(HWND control);
  // At a point of the window's client area.
  void PressAt(HWND window, int x, int y);
  void HoldAndRelease();

  const Sampler& sampler_;
};

// Waits on the person's thread; false on time-out.
bool WaitFor(const std::function<bool()>& condition, int timeoutMilliseconds);

// A visible message box of this process with the caption, or null.
HWND FindMessageBox(const char* caption);

}  // namespace about_test

// A fresh main window per test, from which the about box is opened.
class AboutBoxTest : public MainFormTest {
 protected:
  void SetUp() override;
  // Help/About with the person's script running meanwhile; returns once the
  // box has closed and has been released.
  void UseAboutBox(about_test::Sampler& sampler,
                   const std::function<void(about_test::Person&)>& script);
};
