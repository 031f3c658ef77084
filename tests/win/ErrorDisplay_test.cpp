#include "ErrorDisplay.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <new>
#include <ostream>
#include <stdexcept>

#include "Application.h"
#include "ModalScript.h"
#include "TestSupport.h"
#include "Window.h"

using namespace testing_support;

namespace {

constexpr UINT ThrowMessage = WM_APP;
constexpr UINT LaterMessage = WM_APP + 1;

// A window whose handler takes the mouse capture and then fails.
class FailingWindow : public winui::Window {
 public:
  explicit FailingWindow(std::function<void()> fail) : fail_(std::move(fail)) {
    RegisterClassFor("FailingWindow", 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    Create("FailingWindow", "Fenster", WS_POPUP | WS_VISIBLE, 0, 20, 20, 200, 100, nullptr);
  }
  int cancelModes = 0;
  bool laterHandled = false;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == ThrowMessage) {
      SetCapture(Handle());
      fail_();
    }
    if (message == WM_CANCELMODE) ++cancelModes;
    if (message == LaterMessage) laterHandled = true;
    return Default(message, wParam, lParam);
  }

 private:
  std::function<void()> fail_;
};

// What the error box showed, read from its real windows.
struct ShownBox {
  bool shown = false;
  std::string caption;
  std::string text;
  HICON icon = nullptr;
  HWND owner = nullptr;
  bool failingWindowEnabled = true;
};

ShownBox Read(HWND box, HWND failing) {
  ShownBox seen;
  seen.shown = true;
  seen.caption = WindowText(box);
  seen.owner = GetWindow(box, GW_OWNER);
  seen.failingWindowEnabled = IsWindowEnabled(failing);
  for (HWND item : ChildrenOfClass(box, "Static")) {
    if ((GetWindowLongA(item, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
      seen.icon = reinterpret_cast<HICON>(SendMessageA(item, STM_GETICON, 0, 0));
    else if (!WindowText(item).empty())
      seen.text = WindowText(item);
  }
  return seen;
}

// Lets the window's handler fail inside the program's loop, reads any
// error box and presses its OK with Enter.
ShownBox FailInHandler(FailingWindow& window) {
  ShownBox seen;
  ModalScript script;
  script.On(OpenDialog, [&](HWND box) {
    seen = Read(box, window.Handle());
    QueueKeys({VK_RETURN});
  });
  script.Run([&] {
    PostMessageA(window.Handle(), ThrowMessage, 0, 0);
    PostMessageA(window.Handle(), LaterMessage, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return window.laterHandled; })) << "the loop did not go on";
  });
  EXPECT_FALSE(script.TimedOut());
  EXPECT_EQ(OpenDialog(), nullptr);
  return seen;
}

std::string RegErrorText(unsigned code) {
  char text[32];
  std::snprintf(text, sizeof text, "Reg Error: %8.8X", code);
  return text;
}

struct FailureCase {
  const char* name;
  std::function<void()> fail;
  bool shown;
  std::string text;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class ErrorDisplay : public testing::TestWithParam<FailureCase> {
 protected:
  void TearDown() override { Pump(20); }
};

INSTANTIATE_TEST_SUITE_P(
    Failures, ErrorDisplay,
    testing::Values(FailureCase{"SilentAbort", [] { throw core::SilentAbort(); }, false, ""},
                    FailureCase{"RegistryError", [] { throw core::ERegFileError(RegErrorText(5)); },
                                true, "Reg Error: 00000005."},
                    FailureCase{"MessageEndingInFullStop",
                                [] { throw core::Exception("Datei ist schreibgesch\xFCtzt."); },
                                true, "Datei ist schreibgesch\xFCtzt.."},
                    FailureCase{"EmptyMessage", [] { throw core::Exception(""); }, true, "."},
                    FailureCase{"StandardException",
                                [] { throw std::runtime_error("Kein Speicher"); }, true,
                                "Kein Speicher."},
                    FailureCase{"OutOfMemory", [] { throw std::bad_alloc(); }, true,
                                "Zu wenig Arbeitsspeicher."},
                    FailureCase{"NoExceptionClass", [] { throw 42; }, true, "Unbekannter Fehler."}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_P(ErrorDisplay, CancelsTheCaptureAndShowsAllButASilentAbort) {
  FailingWindow window(GetParam().fail);
  const ShownBox seen = FailInHandler(window);
  // Disabling the window for the box cancels its mode once more.
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_GE(window.cancelModes, 1);
  ASSERT_EQ(seen.shown, GetParam().shown);
  if (!seen.shown) return;
  EXPECT_EQ(seen.text, GetParam().text);
  EXPECT_EQ(seen.caption, "Dabiro");
  EXPECT_EQ(seen.icon, LoadIconA(nullptr, IDI_HAND));
  EXPECT_EQ(seen.owner, winui::Application::Instance().Handle());
  EXPECT_FALSE(seen.failingWindowEnabled);
  EXPECT_TRUE(IsWindowEnabled(window.Handle()));
}

TEST(ErrorDisplayCaption, IsTheApplicationTitleReadBackUpTo255Characters) {
  winui::Application::Instance().SetTitle(std::string(300, 'T'));
  FailingWindow window([] { throw core::Exception("Fehler"); });
  const ShownBox seen = FailInHandler(window);
  winui::Application::Instance().SetTitle("Dabiro");
  EXPECT_EQ(seen.caption, std::string(255, 'T'));
}

}  // namespace
