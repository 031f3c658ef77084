// Times Persian typing on the real main window with real key events:
//  1. latency from a key press to the control holding the re-formed word,
//     in an empty document and at the end of a 1 MB one;
//  2. 600 keys sent at 20 per second from another thread while the
//     editor's loop runs: none may be lost or come out of order.
// Usage: keyboard_bench.exe [keys]
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "Application.h"
#include "Clock.h"
#include "DocumentLines.h"
#include "GlyphText.h"
#include "MainForm.h"
#include "PersianKeyboard.h"
#include "StartUp.h"
#include "SyntheticInput.h"
#include "UnicodeToGlyph.h"
#include "Utf.h"

namespace {

// "I go home in the year 1404 and read the book": letters, a ZWNJ, digits.
const char Sentence[] =
    "می‌روم به خانه در سال ۱۴۰۴ و کتاب را می‌خوانم ";

struct KeyStroke {
  BYTE virtualKey, scanCode;
  bool shift;
};

// The keys of the Persian layout, by the character they give.
std::map<char32_t, KeyStroke> LayoutKeys() {
  std::map<char32_t, KeyStroke> keys;
  for (unsigned scan = 0x60; scan-- > 0;)
    for (const bool shift : {true, false})
      if (const char32_t character = core::PersianKeyCharacter(scan, shift))
        keys[character] = {static_cast<BYTE>(MapVirtualKeyA(scan, 1)), static_cast<BYTE>(scan),
                           shift};
  keys['\n'] = {VK_RETURN, static_cast<BYTE>(MapVirtualKeyA(VK_RETURN, 0)), false};
  return keys;
}

// The text typed: the sentence over and over, a new line after every two.
std::u32string TextOf(int keys) {
  std::u32string sentence, text;
  std::size_t fault = 0;
  core::UnicodeFromUtf8(Sentence, sentence, fault);
  while (static_cast<int>(text.size()) < keys) {
    text += sentence;
    if (text.size() % (2 * sentence.size()) == 0) text += U'\n';
  }
  text.resize(static_cast<std::size_t>(keys));
  return text;
}

void Send(const KeyStroke& key) {
  using namespace testing_support;
  const BYTE shiftScan = ScanCodeOf(VK_SHIFT);
  if (key.shift) PressKey(VK_SHIFT, shiftScan);
  PressKey(key.virtualKey, key.scanCode);
  ReleaseKey(key.virtualKey, key.scanCode);
  if (key.shift) ReleaseKey(VK_SHIFT, shiftScan);
}

struct Statistics {
  double median, p99, worst;
};

Statistics Summarise(std::vector<double> milliseconds) {
  std::sort(milliseconds.begin(), milliseconds.end());
  const size_t n = milliseconds.size();
  const size_t p99 = static_cast<size_t>(std::ceil(0.99 * static_cast<double>(n))) - 1;
  return {milliseconds[n / 2], milliseconds[p99], milliseconds.back()};
}

class Bench {
 public:
  explicit Bench(TMainForm& form) : form_(form), keys_(LayoutKeys()) {
    // A key is done when the handler that took it returns: the control
    // then holds the re-formed word.
    form_.RichEdit1.SetOnKeyDown([this](winui::Component* s, WORD& key, UINT shift, UINT scanCode) {
      form_.RichEdit1KeyDown(s, key, shift, scanCode);
      if (key == 0) ++handled_, handledAt_ = Seconds();
    });
    form_.KeyboardPersianItem.Click();
  }

  // The document before typing: empty, or about `bytes` of glyph lines.
  void Prepare(std::size_t bytes) {
    std::string codes;
    const std::string line = FromUnicode(TextOf(60)) + "\r\n";
    while (codes.size() < bytes) codes += line;
    Select(form_.RichEdit1, 0, -1);
    InsertCodes(form_.RichEdit1, codes);
    start_ = static_cast<long>(codes.size());
    Select(form_.RichEdit1, start_, start_);
    SetFocus(form_.RichEdit1.Handle());
    RunFor(200);
  }

  void MeasureLatency(const char* where, int count) {
    const std::u32string text = TextOf(count);
    std::vector<double> latencyMs;
    for (const char32_t character : text) {
      const long before = handled_;
      const double pressed = Seconds();
      Send(keys_.at(character));
      if (!RunUntil([&] { return handled_ > before; }, 2.0)) {
        std::printf("key U+%04X was not handled\n", static_cast<unsigned>(character));
        continue;
      }
      latencyMs.push_back((handledAt_ - pressed) * 1000);
      RunFor(2);  // the release
    }
    Report(where, latencyMs);
    Check(text);
  }

  // Keys from another thread at a person's pace while the loop runs.
  void MeasureSteadyTyping(int count, double perSecond) {
    const std::u32string text = TextOf(count);
    Typist typist{{}, 1.0 / perSecond};
    for (const char32_t character : text) typist.keys.push_back(keys_.at(character));
    HANDLE thread = CreateThread(nullptr, 0, Typist::Run, &typist, 0, nullptr);
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
      winui::Application::Instance().ProcessMessages();
    CloseHandle(thread);
    RunFor(500);
    std::printf("%d keys at %.0f per second: ", count, perSecond);
    Check(text);
  }

 private:
  struct Typist {
    std::vector<KeyStroke> keys;
    double period;
    static DWORD WINAPI Run(void* data) {
      auto* self = static_cast<Typist*>(data);
      const double start = Seconds();
      for (size_t i = 0; i < self->keys.size(); ++i) {
        const double due = start + static_cast<double>(i) * self->period;
        while (Seconds() < due) Sleep(due - Seconds() > 0.002 ? 1 : 0);
        Send(self->keys[i]);
      }
      return 0;
    }
  };

  static std::string FromUnicode(const std::u32string& text) {
    std::u32string withBreaks;
    for (const char32_t character : text)
      withBreaks += character == '\n' ? U"\r\n" : std::u32string(1, character);
    core::Unconvertibles problems;
    return core::UnicodeToGlyphs(withBreaks, problems);
  }

  // What was typed since Prepare must be what from-unicode writes for it.
  void Check(const std::u32string& text) {
    Select(form_.RichEdit1, start_, -1);
    const std::string typed = CodesOf(form_.RichEdit1, true);
    const std::string expected = FromUnicode(text);
    const bool same = typed.compare(0, expected.size(), expected) == 0;
    std::size_t differ = 0;
    while (differ < expected.size() && differ < typed.size() && typed[differ] == expected[differ])
      ++differ;
    std::printf("%s (%zu codes typed", same ? "every key in place" : "FAIL: codes differ",
                expected.size());
    if (!same) {
      std::printf(", the first difference at %zu of %zu", differ, typed.size());
    }
    std::printf(")\n");
    Prepare(0);
  }

  template <typename Condition>
  bool RunUntil(Condition condition, double timeoutSeconds) {
    const double end = Seconds() + timeoutSeconds;
    while (!condition()) {
      if (Seconds() > end) return false;
      winui::Application::Instance().ProcessMessages();
    }
    return true;
  }

  void RunFor(int milliseconds) {
    const double end = Seconds() + milliseconds / 1000.0;
    while (Seconds() < end) {
      winui::Application::Instance().ProcessMessages();
      Sleep(1);
    }
  }

  static void Report(const char* what, const std::vector<double>& milliseconds) {
    if (milliseconds.empty()) return;
    const Statistics s = Summarise(milliseconds);
    std::printf("%-40s n=%zu  median %.2f ms  p99 %.2f ms  worst %.2f ms\n", what,
                milliseconds.size(), s.median, s.p99, s.worst);
  }

  TMainForm& form_;
  std::map<char32_t, KeyStroke> keys_;
  long handled_ = 0;
  double handledAt_ = 0;
  long start_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  const int keys = argc > 1 ? std::atoi(argv[1]) : 500;
  StartApplication();
  TMainForm form;
  form.CreateForm();
  form.Show();
  SetForegroundWindow(form.Handle());
  Bench bench(form);

  bench.Prepare(0);
  bench.MeasureLatency("key to word re-formed, empty document", keys);
  bench.Prepare(1 << 20);
  bench.MeasureLatency("key to word re-formed, end of 1 MB", keys);
  bench.Prepare(0);
  bench.MeasureSteadyTyping(600, 20);
  bench.Prepare(1 << 20);
  bench.MeasureSteadyTyping(600, 20);
  std::fflush(stdout);
  return 0;
}
