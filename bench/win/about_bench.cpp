// Times the processor the editor takes while its about box's glyph pulses,
// against the same span with only the main window open and idle. Each round
// starts the editor anew, waits until it is shown and idle, measures the idle
// span, opens Help/About from the keyboard as a person does, waits until the
// glyph pulses and measures the same span again. Progress goes to stderr, a
// Markdown table of the medians to stdout.
// Usage: about_bench.exe rounds seconds program.exe
#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "AboutAnimation.h"
#include "Clock.h"
#include "LabelledProgram.h"
#include "LaunchedProgram.h"
#include "ProcessWindows.h"

namespace {

constexpr double StartTimeout = 60;
constexpr double BoxTimeout = 20;

ULONGLONG Value(const FILETIME& time) {
  return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// The process's processor time: the sum of its threads' user and kernel
// times, in 100 ns units. Wine answers GetProcessTimes for another process
// with the caller's own times; a thread's it tells anyone. A thread that
// ends between two readings takes its time with it, but the editor starts
// none while it is idle or pulses.
ULONGLONG ProcessorTime(DWORD processId) {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  ULONGLONG total = 0;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID != processId) continue;
    const HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
    if (!thread) continue;
    FILETIME created, ended, kernel, user;
    if (GetThreadTimes(thread, &created, &ended, &kernel, &user))
      total += Value(kernel) + Value(user);
    CloseHandle(thread);
  }
  CloseHandle(snapshot);
  return total;
}

// The glyph is the box's child whose text is its one code.
BOOL CALLBACK TakeGlyph(HWND child, LPARAM found) {
  char text[8] = {};
  GetWindowTextA(child, text, sizeof text);
  if (std::string(text) != "\xE5") return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

HWND GlyphOf(HWND box) {
  HWND glyph = nullptr;
  EnumChildWindows(box, TakeGlyph, reinterpret_cast<LPARAM>(&glyph));
  return glyph;
}

RECT RectOf(HWND window) {
  RECT rc{};
  GetWindowRect(window, &rc);
  return rc;
}

struct Span {
  double milliseconds;  // of processor time
  std::size_t glyphPlaces = 0;
};

// Sleeps through the span, looking at the glyph (when there is one) every
// 100 ms: its places tell that it pulsed. Only the window manager's copy of
// its rectangle is read, so the editor's own thread does nothing for it.
Span Measure(const LaunchedProgram& program, double seconds, HWND glyph) {
  std::set<std::tuple<LONG, LONG, LONG, LONG>> places;
  const ULONGLONG before = ProcessorTime(program.ProcessId());
  const double end = Seconds() + seconds;
  while (Seconds() < end) {
    if (glyph) {
      const RECT rc = RectOf(glyph);
      places.insert({rc.left, rc.top, rc.right, rc.bottom});
    }
    Sleep(100);
  }
  const ULONGLONG after = ProcessorTime(program.ProcessId());
  return {static_cast<double>(after - before) / 10000.0, places.size()};
}

bool MeasureOnce(const std::string& exe, double seconds, Span& idle, Span& pulsing) {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  LaunchedProgram program(exe, temp);
  if (!program.Started() || program.WaitShownAndIdle(StartTimeout) < 0) {
    std::fprintf(stderr, "%s: no main window shown and idle\n", exe.c_str());
    return false;
  }
  Sleep(1000);
  idle = Measure(program, seconds, nullptr);

  if (!program.ChooseMenuItem('H', 'A')) {
    std::fprintf(stderr, "the main window did not come to the foreground\n");
    return false;
  }
  // The glyph first moves in its box when the slide is over and the
  // pulsing begins.
  HWND glyph = nullptr;
  RECT first{};
  const bool started = PollUntil(
      [&] {
        const HWND box = WindowOfClass(program.ProcessId(), "TAboutBox");
        if (!box) return false;
        const RECT frame = RectOf(box);
        const int height = frame.bottom - frame.top;
        if (frame.top != core::SlideTops(height, GetSystemMetrics(SM_CYSCREEN)).back())
          return false;
        if (!glyph && (glyph = GlyphOf(box)) != nullptr) first = RectOf(glyph);
        if (!glyph) return false;
        const RECT now = RectOf(glyph);
        return !EqualRect(&first, &now);
      },
      BoxTimeout);
  if (!started) {
    std::fprintf(stderr, "the about box's glyph did not pulse\n");
    return false;
  }
  Sleep(500);
  pulsing = Measure(program, seconds, glyph);
  if (pulsing.glyphPlaces < 2) {
    std::fprintf(stderr, "the glyph stood still while it was measured\n");
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 || std::atoi(argv[1]) < 1 || std::atof(argv[2]) <= 0) {
    std::fprintf(stderr, "usage: %s rounds seconds program.exe\n", argv[0]);
    return 2;
  }
  const int rounds = std::atoi(argv[1]);
  const double seconds = std::atof(argv[2]);
  std::vector<double> idle, pulsing;
  for (int round = 1; round <= rounds; ++round) {
    Span quiet{}, pulse{};
    if (!MeasureOnce(argv[3], seconds, quiet, pulse)) return 1;
    std::fprintf(stderr, "round %d: idle %.0f ms, pulsing %.0f ms (glyph seen in %zu places)\n",
                 round, quiet.milliseconds, pulse.milliseconds, pulse.glyphPlaces);
    idle.push_back(quiet.milliseconds);
    pulsing.push_back(pulse.milliseconds);
  }
  const double spanMs = seconds * 1000;
  std::printf("| Median of %d rounds, %.0f s each | Processor time | Share of one core |\n", rounds,
              seconds);
  std::printf("|---|---:|---:|\n");
  for (const auto& [label, values] : {std::pair{"Main window shown and idle", idle},
                                      std::pair{"About box open, its glyph pulsing", pulsing}}) {
    const double median = MedianOf(values);
    std::printf("| %s | %.0f ms | %.1f %% |\n", label, median, 100.0 * median / spanMs);
  }
  return 0;
}
