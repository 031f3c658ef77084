// Times the reading view on the real main window, with about 100 KB of
// long Persian paragraphs (20 to 400 words) open:
//  1. a change of the window's width: every paragraph laid out again and
//     the view painted;
//  2. a letter written in the middle of a long paragraph: the view reads
//     the store again, lays it out and paints.
// Usage: view_bench.exe [rounds]
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Clock.h"
#include "GlyphText.h"
#include "MainForm.h"
#include "StartUp.h"
#include "UnicodeToGlyph.h"
#include "Utf.h"

namespace {

const char Words[] =
    "امروز هوا خوب است و ما به "
    "پارک می‌رویم تا در سال ۱۴۰۴ کتاب بخوانیم ";

std::string Paragraph(int words) {
  std::u32string sentence, text;
  std::size_t fault = 0;
  core::UnicodeFromUtf8(Words, sentence, fault);
  for (int word = 0; word < words; word += 14) text += sentence;
  core::Unconvertibles problems;
  return core::UnicodeToGlyphs(text, problems);
}

void Report(const char* what, std::vector<double> milliseconds) {
  std::sort(milliseconds.begin(), milliseconds.end());
  std::printf("%-48s n=%zu  median %.1f ms  worst %.1f ms\n", what, milliseconds.size(),
              milliseconds[milliseconds.size() / 2], milliseconds.back());
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  StartApplication();
  TMainForm form;
  form.CreateForm();
  form.Show();
  SetForegroundWindow(form.Handle());

  std::string codes;
  const int lengths[] = {20, 100, 400, 60, 200};
  for (int k = 0; codes.size() < 100 * 1024; ++k) codes += Paragraph(lengths[k % 5]) + "\r\n";
  SendMessageA(form.RichEdit1.Handle(), EM_SETSEL, 0, -1);
  InsertCodes(form.RichEdit1, codes);
  const HWND view = form.ReadingView1.Handle();
  UpdateWindow(view);
  Pump();
  std::printf("%zu KB in %zu screen lines\n", codes.size() / 1024,
              form.ReadingView1.ScreenLines().size());

  RECT window{};
  GetWindowRect(form.Handle(), &window);
  std::vector<double> widthMs, resizedMs;
  for (int round = 0; round < rounds; ++round) {
    const double start = Seconds();
    MoveWindow(form.Handle(), window.left, window.top, round % 2 ? 640 : 480,
               window.bottom - window.top, TRUE);
    const double resized = Seconds();
    UpdateWindow(view);
    widthMs.push_back((Seconds() - start) * 1000);
    resizedMs.push_back((resized - start) * 1000);
    Pump();
  }
  Report("width change: laid out again and painted", widthMs);
  Report("  of which the windows' own resizing", resizedMs);

  // The third paragraph holds 400 words: a letter in its middle.
  const long middle =
      static_cast<long>(SendMessageA(form.RichEdit1.Handle(), EM_LINEINDEX, 2, 0)) + 1000;
  std::vector<double> letterMs, typedMs;
  for (int round = 0; round < rounds; ++round) {
    SendMessageA(form.RichEdit1.Handle(), EM_SETSEL, middle, middle);
    UpdateWindow(view);
    const double start = Seconds();
    SendMessageA(form.RichEdit1.Handle(), WM_CHAR, 0xE8, 1);
    const double typed = Seconds();
    UpdateWindow(view);
    letterMs.push_back((Seconds() - start) * 1000);
    typedMs.push_back((typed - start) * 1000);
    Pump();
  }
  Report("letter in a long paragraph: read, laid out, painted", letterMs);
  Report("  of which the store's own typing", typedMs);
  std::printf("the whole store read %d times\n", form.ReadingView1.WholeReadings());
  std::fflush(stdout);
  return 0;
}
