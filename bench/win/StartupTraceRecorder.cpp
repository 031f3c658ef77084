// Linked into the measuring build of the editor (Dabiro_trace.exe) beside
// the editor's own objects: times each mark of start-up on the
// high-resolution counter and, at the first idle moment, appends the steps
// to startup-trace.txt beside the program, one "step<TAB>microseconds" line
// each, the time since the previous mark (the first: since the runtime
// started the program), and a blank line after each start. Nothing is
// allocated or written before then, so the steps cost what they cost
// without it.
#include <windows.h>

#include <cstdio>
#include <string>

#include "StartupTrace.h"

namespace {

constexpr int MaxMarks = 64;

struct Mark {
  const char* step;
  LARGE_INTEGER at;
};

Mark marks[MaxMarks];
int markCount = 0;
LARGE_INTEGER programStart;

std::string TraceFileName() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name(path, length);
  return name.substr(0, name.find_last_of('\\') + 1) + "startup-trace.txt";
}

void WriteTrace() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::FILE* file = std::fopen(TraceFileName().c_str(), "a");
  if (!file) return;
  LARGE_INTEGER previous = programStart;
  for (int i = 0; i < markCount; ++i) {
    const double micros = static_cast<double>(marks[i].at.QuadPart - previous.QuadPart) * 1e6 /
                          static_cast<double>(frequency.QuadPart);
    std::fprintf(file, "%s\t%.0f\n", marks[i].step, micros);
    previous = marks[i].at;
  }
  std::fputs("\n", file);
  std::fclose(file);
}

void Record(const char* step, bool last) {
  if (markCount < MaxMarks) {
    marks[markCount].step = step;
    QueryPerformanceCounter(&marks[markCount].at);
    ++markCount;
  }
  if (last) WriteTrace();
}

const bool installed = [] {
  QueryPerformanceCounter(&programStart);
  winui::SetStartupTraceSink(Record);
  return true;
}();

}  // namespace
