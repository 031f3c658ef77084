// Times the palette press on the real main window with real mouse input:
//  1. latency from a press to the glyph stored with the caret left of it,
//     and the press handler's own time, over many presses;
//  2. the highest sustained press rate at which no glyph is lost or
//     misordered, with a second thread pressing like a fast person while
//     the editor's loop runs.
// Usage: palette_bench.exe [presses] [presses per rate]
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Application.h"
#include "Clipboard.h"
#include "Clock.h"
#include "MainForm.h"
#include "Palette.h"
#include "StartUp.h"
#include "SyntheticInput.h"

namespace {

// Successive presses land on different cells, so none is a double click.
core::Cell CellOfPress(int index) {
  const int cell = (index * 7) % core::PaletteCells;
  return {cell % core::PaletteColumns, cell / core::PaletteColumns};
}

char CodeOfPress(int index) {
  const core::Cell cell = CellOfPress(index);
  return static_cast<char>(core::CellCode(cell.column, cell.row));
}

POINT ScreenPointOf(HWND grid, core::Cell cell) {
  POINT point{cell.column * core::BandWidth + core::CellWidth / 2,
              cell.row * core::BandHeight + core::CellHeight / 2};
  ClientToScreen(grid, &point);
  return point;
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
  explicit Bench(TMainForm& form) : form_(form), text_(form.RichEdit1.Handle()) {
    // The handler's own time, measured around the wired handler.
    form_.StringGrid1.SetOnMouseDown(
        [this](winui::Component* s, winui::MouseButton b, UINT keys, int x, int y) {
          const double start = Seconds();
          form_.StringGrid1MouseDown(s, b, keys, x, y);
          handlerMs_.push_back((Seconds() - start) * 1000);
        });
  }

  void MeasureLatency(int presses) {
    std::vector<double> latencyMs;
    handlerMs_.clear();
    ClearDocument();
    for (int i = 0; i < presses; ++i) {
      // A line of 100 glyphs, as a person would write before a new line.
      const int stored = i % 100;
      if (stored == 0) ClearDocument();
      const POINT at = ScreenPointOf(form_.StringGrid1.Handle(), CellOfPress(i));
      SetCursorPos(at.x, at.y);
      RunUntilQuiet(20);
      const double start = Seconds();
      testing_support::QueueClickCarryingPosition(at);
      const char code = CodeOfPress(i);
      if (!RunUntil([&] { return Length() == stored + 1 && Caret() == 0 && First() == code; },
                    2.0)) {
        std::printf("press %d: glyph not stored with the caret left of it\n", i);
        continue;
      }
      latencyMs.push_back((Seconds() - start) * 1000);
    }
    Report("press to glyph stored, caret left of it", latencyMs);
    Report("press handler (StringGrid1MouseDown)", handlerMs_);
  }

  // Where the handler's time goes: its three costly steps, each timed on
  // its own, as often as there were presses.
  void MeasureParts(int times) {
    std::vector<double> clipboardMs, pasteMs, toolbarMs;
    ClearDocument();
    for (int i = 0; i < times; ++i) {
      if (i % 100 == 0) ClearDocument();
      const std::string glyph(1, CodeOfPress(i));
      clipboardMs.push_back(TimeOf([&] { ReplaceClipboardText(form_.Handle(), glyph); }));
      pasteMs.push_back(TimeOf([&] { SendMessageA(text_, WM_PASTE, 0, 0); }));
      toolbarMs.push_back(TimeOf([&] { form_.SelectionChange(&form_.RichEdit1); }));
      RunUntilQuiet(5);
    }
    Report("  of it: clipboard replaced", clipboardMs);
    Report("  of it: WM_PASTE, selection change in it", pasteMs);
    Report("  of it: toolbar brought into line once", toolbarMs);
  }

  // The rate the presses came at when every one was stored in reverse
  // order; 0 on a loss or misorder.
  double RunAtRate(double rate, int presses) {
    ClearDocument();
    RunUntilQuiet(100);
    Presser presser{ScreenPoints(presses), 1.0 / rate, 0};
    HANDLE thread = CreateThread(nullptr, 0, Presser::Run, &presser, 0, nullptr);
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
      winui::Application::Instance().ProcessMessages();
    CloseHandle(thread);
    RunUntilQuiet(300);
    const std::string stored = Document();
    std::string expected;
    for (int i = presses - 1; i >= 0; --i) expected += CodeOfPress(i);
    int misplaced = 0;
    for (size_t i = 0; i < std::min(stored.size(), expected.size()); ++i)
      misplaced += stored[i] != expected[i];
    const bool whole = stored == expected && Caret() == 0;
    const double achieved = (presses - 1) / presser.elapsed;
    std::printf("  %6.0f presses/s (achieved %6.1f): %s, %zu of %d stored, %d out of place\n", rate,
                achieved, whole ? "ok  " : "FAIL", stored.size(), presses, misplaced);
    return whole ? achieved : 0;
  }

 private:
  // The "person": presses the cells on schedule from its own thread, so the
  // presses join the input stream while the editor's loop is busy.
  struct Presser {
    std::vector<POINT> points;
    double period;
    double elapsed;
    static DWORD WINAPI Run(void* data) {
      auto* self = static_cast<Presser*>(data);
      const double start = Seconds();
      for (size_t i = 0; i < self->points.size(); ++i) {
        const double due = start + static_cast<double>(i) * self->period;
        while (Seconds() < due) Sleep(due - Seconds() > 0.002 ? 1 : 0);
        testing_support::QueueClickCarryingPosition(self->points[i]);
      }
      self->elapsed = Seconds() - start;
      return 0;
    }
  };

  std::vector<POINT> ScreenPoints(int presses) const {
    std::vector<POINT> points;
    for (int i = 0; i < presses; ++i)
      points.push_back(ScreenPointOf(form_.StringGrid1.Handle(), CellOfPress(i)));
    return points;
  }

  template <typename Condition>
  bool RunUntil(Condition condition, double timeoutSeconds) {
    const double end = Seconds() + timeoutSeconds;
    while (!condition()) {
      if (Seconds() > end) return false;
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (condition()) return true;
      }
    }
    return true;
  }

  // Runs the loop until no input has been waiting for the given time.
  void RunUntilQuiet(int milliseconds) {
    double quietSince = Seconds();
    while (Seconds() - quietSince < milliseconds / 1000.0) {
      if (HIWORD(GetQueueStatus(QS_ALLINPUT))) quietSince = Seconds();
      winui::Application::Instance().ProcessMessages();
      Sleep(1);
    }
  }

  void ClearDocument() {
    SetWindowTextA(text_, "");
    SetFocus(text_);
  }
  int Length() const { return GetWindowTextLengthA(text_); }
  LONG Caret() const {
    CHARRANGE range{};
    SendMessageA(text_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range.cpMin == range.cpMax ? range.cpMin : -1;
  }
  char First() const {
    char first[2] = {};
    TEXTRANGEA range{{0, 1}, first};
    SendMessageA(text_, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    return first[0];
  }
  std::string Document() const {
    std::string text(static_cast<size_t>(Length()) + 1, '\0');
    GetWindowTextA(text_, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(Length()));
    return text;
  }

  template <typename Step>
  static double TimeOf(Step step) {
    const double start = Seconds();
    step();
    return (Seconds() - start) * 1000;
  }

  static void Report(const char* what, const std::vector<double>& milliseconds) {
    if (milliseconds.empty()) return;
    const Statistics s = Summarise(milliseconds);
    std::printf("%-42s n=%zu  median %.2f ms  p99 %.2f ms  worst %.2f ms\n", what,
                milliseconds.size(), s.median, s.p99, s.worst);
  }

  TMainForm& form_;
  HWND text_;
  std::vector<double> handlerMs_;
};

}  // namespace

int main(int argc, char** argv) {
  const int presses = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int pressesPerRate = argc > 2 ? std::atoi(argv[2]) : 200;
  StartApplication();
  TMainForm form;
  form.CreateForm();
  form.Show();
  SetForegroundWindow(form.Handle());
  Bench bench(form);

  bench.MeasureLatency(presses);
  bench.MeasureParts(presses);
  std::printf("sustained press rate (%d presses each):\n", pressesPerRate);
  double highest = 0;
  for (double rate = 50; rate <= 3200; rate *= 2) {
    const double achieved = bench.RunAtRate(rate, pressesPerRate);
    if (achieved == 0) break;
    highest = std::max(highest, achieved);
  }
  std::printf("highest sustained rate without loss or misorder: %.0f presses/s\n", highest);
  std::fflush(stdout);
  return 0;
}
