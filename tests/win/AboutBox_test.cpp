// The about box opened from Help/About: its layout, the slide, the pulsing
// glyph, and what OK, the keys, the close box, Help and a click on the glyph
// do while the glyph pulses. The animation's steps themselves are unit-tested
// (AboutAnimation_test); here they must reach the window.
#include <windows.h>

#include <set>
#include <string>

#include "AboutAnimation.h"
#include "AboutBoxFixture.h"
#include "Application.h"
#include "Unit2.h"

using namespace about_test;
using namespace testing_support;

namespace {

constexpr COLORREF White = RGB(255, 255, 255), Black = RGB(0, 0, 0);
constexpr COLORREF Lime = RGB(0, 255, 0);

COLORREF PixelOf(HWND hwnd, int x, int y) {
  HDC dc = GetDC(hwnd);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(hwnd, dc);
  return colour;
}

LOGFONTA FontOf(HWND hwnd) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

HWND FocusOn(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

// The middle of the box's close box on the screen, found by asking the box
// along the middle of its caption bar only: from the person's thread each
// hit test waits for the box's loop; -1, -1 if there is none.
POINT CloseBoxOf(HWND box) {
  RECT frame, client;
  GetWindowRect(box, &frame);
  GetClientRect(box, &client);
  const int border = (frame.right - frame.left - client.right) / 2;
  const int y = frame.top + border + GetSystemMetrics(SM_CYCAPTION) / 2;
  int right = -1;
  for (int x = frame.right - 1; x > frame.right - 80; --x) {
    const bool onCloseBox = SendMessageA(box, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE;
    if (onCloseBox && right < 0) right = x;
    if (!onCloseBox && right >= 0) return {(x + 1 + right) / 2, y};
  }
  return {-1, -1};
}

}  // namespace

TEST_F(AboutBoxTest, ShowsItsComponentsAsLaidOut) {
  Sampler sampler;
  UseAboutBox(sampler, [](Person& person) {
    ASSERT_TRUE(person.WaitForPulsing());
    const BoxWindows box = person.Box();
    RECT client, frame;
    GetClientRect(box.box, &client);
    GetWindowRect(box.box, &frame);
    EXPECT_EQ(WindowText(box.box), "About Dabiro 1.0");
    EXPECT_EQ(client.right, 328);
    EXPECT_EQ(client.bottom, 291);
    EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2);
    const LONG style = GetWindowLongA(box.box, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(GetWindow(box.box, GW_OWNER), winui::Application::Instance().Handle());

    const struct {
      HWND hwnd;
      RECT rect;
      const char* text;
    } parts[] = {
        {box.panel, {8, 8, 321, 233}, ""},
        {box.memo,
         {40, 112, 273, 177},
         "Glyph font \"Persian\" made from Noto Naskh Arabic and "
         "Noto Serif, SIL Open Font License 1.1"},
        {box.mail, {128, 176, 185, 193}, "&Send mail"},
        {box.link, {8, 200, 313, 221}, "http://dabiro.invalid/"},
        {box.ok, {16, 248, 81, 273}, "OK"},
        {box.help, {248, 248, 313, 273}, "&Help"},
    };
    for (const auto& part : parts) {
      const RECT rc = RectInParent(part.hwnd);
      EXPECT_EQ(rc.left, part.rect.left) << part.text;
      EXPECT_EQ(rc.top, part.rect.top) << part.text;
      EXPECT_EQ(rc.right, part.rect.right) << part.text;
      EXPECT_EQ(rc.bottom, part.rect.bottom) << part.text;
      EXPECT_EQ(WindowText(part.hwnd), part.text);
    }
    EXPECT_EQ(WindowText(box.glyph), "\xE5");
    EXPECT_STREQ(FontOf(box.glyph).lfFaceName, "Persian");
    EXPECT_STREQ(FontOf(box.mail).lfFaceName, "Small Fonts");
    EXPECT_EQ(FontOf(box.mail).lfHeight, -9);
    EXPECT_EQ(FontOf(box.link).lfHeight, -11);
    EXPECT_TRUE(FontOf(box.link).lfUnderline);
    EXPECT_EQ(FontOf(box.ok).lfWeight, FW_BOLD);
    EXPECT_TRUE(SendMessageA(box.ok, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
    EXPECT_FALSE(SendMessageA(box.help, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
    const LONG memoStyle = GetWindowLongA(box.memo, GWL_STYLE);
    EXPECT_EQ(memoStyle & (ES_READONLY | ES_CENTER | ES_MULTILINE),
              ES_READONLY | ES_CENTER | ES_MULTILINE);
    EXPECT_EQ(PixelOf(box.memo, 2, 2), RGB(212, 212, 212));

    // The shape: hatched lime inside the ellipse, no outline outside it.
    int lime = 0, other = 0;
    for (int x = 100; x < 230; ++x) (PixelOf(box.box, x, 282) == Lime ? lime : other)++;
    EXPECT_GT(lime, 5);
    EXPECT_GT(other, 5);
    EXPECT_NE(PixelOf(box.box, 2, 288), Lime);

    person.Activate();
    RECT linkRect;
    GetWindowRect(box.link, &linkRect);
    SetCursorPos(linkRect.left + 20, (linkRect.top + linkRect.bottom) / 2);
    Sleep(200);
    CURSORINFO cursor{};
    cursor.cbSize = sizeof cursor;
    GetCursorInfo(&cursor);
    EXPECT_EQ(cursor.hCursor, LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_UPARROW)));
    person.CloseWithOk();
  });
}

// Person::CloseWithOk checks that a press on OK stops the glyph at once and
// leaves the box open, and that the release closes it.
TEST_F(AboutBoxTest, SlidesInFromAboveThenPulsesBetweenBothBounds) {
  Sampler sampler;
  UseAboutBox(sampler, [](Person& person) {
    ASSERT_TRUE(person.WaitForPulsing());
    Sleep(2 * 26 * 80);  // two cycles of 26 passes
    person.CloseWithOk();
  });
  const std::vector<Sample> samples = sampler.Samples();
  ASSERT_FALSE(samples.empty());
  const int height = samples.front().box.bottom - samples.front().box.top;
  EXPECT_LE(samples.front().box.bottom, 0) << "first above the screen";
  int highest = -4 * height;
  std::set<int> sizes, cycle;
  for (const Sample& sample : samples) {
    if (sample.box.top == -height) continue;  // placed above the screen before the slide
    EXPECT_GE(sample.box.top, highest) << "the box only moves down";
    highest = sample.box.top;
    if (sample.box.top != FinalTop(height)) continue;  // the glyph pulses once the box is in place
    sizes.insert(sample.glyphSize);
    EXPECT_EQ(sample.glyphCorner.x, core::PulseCorner(sample.glyphSize));
    EXPECT_EQ(sample.glyphCorner.y, core::PulseCorner(sample.glyphSize));
  }
  EXPECT_EQ(samples.back().box.top, FinalTop(height));
  core::Pulse pulse;
  for (int pass = 0; pass < 26; ++pass) cycle.insert(pulse.Next());
  EXPECT_EQ(sizes, cycle) << "the glyph shows every size of the cycle";
}

// Help is pressed by its letter here: a press by mouse reaches the same
// click handler, and every test presses OK by mouse.
TEST_F(AboutBoxTest, TheKeysWorkAsInADialogAndTheQuickHelpHoldsTheGlyph) {
  Sampler sampler;
  UseAboutBox(sampler, [](Person& person) {
    ASSERT_TRUE(person.WaitForPulsing());
    const BoxWindows box = person.Box();
    person.Activate();
    ASSERT_EQ(FocusOn(box.box), box.memo) << "the first control in tab order";
    for (HWND next : {box.mail, box.ok, box.help, box.memo}) {
      person.Tap(VK_TAB);
      EXPECT_EQ(FocusOn(box.box), next);
    }

    PressKey(VK_MENU);
    person.Tap('H');
    ReleaseKey(VK_MENU);
    HWND help = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (help = FindMessageBox("Quick Help.")) != nullptr; }, 3000));
    EXPECT_EQ(WindowText(GetDlgItem(help, 0xFFFF)),
              "This application uses the persian Font pfont95.ttf for Win95 or pfontnt.ttf for "
              "WinNT.\r\n\r\nClick at the characters to \"write\".");
    EXPECT_TRUE(person.GlyphStandsStillFor(500));
    person.Click(GetDlgItem(help, IDOK));
    EXPECT_TRUE(WaitFor([] { return FindMessageBox("Quick Help.") == nullptr; }, 2000));
    EXPECT_TRUE(person.GlyphPulsesWithin(1000));
    ASSERT_EQ(FocusOn(box.box), box.memo) << "the focus comes back from the quick help";

    person.Tap(VK_RETURN);
    Sleep(100);
    EXPECT_TRUE(person.GlyphStandsStillFor(500));
    EXPECT_TRUE(person.BoxOpen()) << "the first Enter's result is dropped";
    person.Tap(VK_RETURN);
    EXPECT_TRUE(person.BoxClosesWithin(1000));
  });
}

// Results set while the box's loops run are dropped when the glyph stops:
// an OK click during the slide (from the timer, so that it surely falls into
// the short slide), then the close box while the glyph pulses.
TEST_F(AboutBoxTest, NeitherOkDuringTheSlideNorTheCloseBoxWhileItPulsesClosesIt) {
  Sampler sampler;
  bool clicked = false;
  sampler.SetOnSample([&](const Sample& sample) {
    RECT ok;
    GetWindowRect(AboutBox->BitBtnOK.Handle(), &ok);
    const int height = sample.box.bottom - sample.box.top;
    if (clicked || ok.top < 0 || sample.box.top > FinalTop(height) - 40) return;
    clicked = true;
    QueueClickAtScreen({(ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2});
  });
  UseAboutBox(sampler, [&](Person& person) {
    ASSERT_TRUE(person.WaitForPulsing()) << "the click during the slide stops nothing";
    const POINT closeBox = CloseBoxOf(person.Box().box);
    ASSERT_GE(closeBox.x, 0);
    const DWORD pressed = GetTickCount();
    SetCursorPos(closeBox.x, closeBox.y);
    Sleep(30);
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    Sleep(100);
    MouseButton(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(WaitFor(
        [&] {
          for (const Sample& sample : sampler.SamplesSince(pressed))
            if (sample.modalResult == IDCANCEL) return true;
          return false;
        },
        2000))
        << "the close box was used";
    EXPECT_TRUE(person.GlyphPulsesWithin(1000));
    Sleep(500);
    EXPECT_TRUE(person.BoxOpen());
    person.CloseWithOk();
  });
  bool okWhileSliding = false;
  for (const Sample& sample : sampler.Samples()) {
    const int height = sample.box.bottom - sample.box.top;
    okWhileSliding |= sample.modalResult == IDOK && sample.box.top < FinalTop(height);
  }
  EXPECT_TRUE(okWhileSliding) << "the click reached OK during the slide";
}

// The colours before the click are those every new box shows (the second).
TEST_F(AboutBoxTest, AClickOnTheGlyphMakesItBlackOnWhiteForThatBoxOnly) {
  const COLORREF panel = GetSysColor(COLOR_BTNFACE);
  DWORD clicked = 0;
  Sampler first;
  UseAboutBox(first, [&](Person& person) {
    ASSERT_TRUE(person.WaitForPulsing());
    person.Click(person.Box().glyph);
    clicked = GetTickCount();
    EXPECT_TRUE(person.GlyphPulsesWithin(1000)) << "the pulsing goes on";
    EXPECT_EQ(PixelOf(person.Box().glyph, 1, 1), White);
    person.CloseWithOk();
  });
  for (const Sample& sample : first.SamplesSince(clicked)) {
    EXPECT_EQ(sample.glyphColor, White);
    EXPECT_EQ(sample.glyphFontColor, Black);
  }

  Sampler second;
  UseAboutBox(second, [&](Person& person) {
    ASSERT_TRUE(person.WaitForPulsing());
    EXPECT_EQ(PixelOf(person.Box().glyph, 1, 1), panel);
    person.CloseWithOk();
  });
  const std::vector<Sample> samples = second.Samples();
  ASSERT_FALSE(samples.empty());
  EXPECT_LE(samples.front().box.bottom, 0) << "the new box slides in again";
  for (const Sample& sample : samples) {
    EXPECT_EQ(sample.glyphColor, panel);
    EXPECT_EQ(sample.glyphFontColor, White);
  }
}
