// Times the start-up of a program against others in one run: each is
// started in turn, round after round, until its main window is shown and
// idle. Prints a Markdown table of the medians: start-up, the subject's
// ratio to each other program (the median of the rounds' ratios, so that
// both sides of a ratio saw the same load) and the peak working set.
// Usage: start_bench.exe runs [label=]program.exe [label[/goal]=]other.exe...
// A goal is the ratio the subject may reach against that program at most.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "LabelledProgram.h"
#include "LaunchedProgram.h"

namespace {

constexpr double StartTimeout = 60;
constexpr double MiB = 1024.0 * 1024.0;
constexpr DWORD SettleMilliseconds = 300;

struct Program {
  LabelledProgram named;
  double goal = 0;  // 0: none
  std::vector<double> seconds;
  std::vector<double> peaks;
};

Program ProgramOf(const std::string& argument) {
  Program program{LabelledProgramOf(argument), 0, {}, {}};
  const size_t slash = program.named.label.find('/');
  if (slash != std::string::npos && argument.find('=') != std::string::npos) {
    program.goal = std::atof(program.named.label.c_str() + slash + 1);
    program.named.label.resize(slash);
  }
  return program;
}

bool StartOnce(Program& program, bool counted) {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  // The window server and the desktop still tidy up after the previous
  // program for a moment: a start in that moment took a tenth longer.
  Sleep(SettleMilliseconds);
  LaunchedProgram launched(program.named.exe, temp);
  const double seconds = launched.Started() ? launched.WaitShownAndIdle(StartTimeout) : -1;
  if (seconds < 0) {
    std::fprintf(stderr, "%s: no main window shown and idle\n", program.named.exe.c_str());
    return false;
  }
  const double peak = static_cast<double>(launched.PeakWorkingSet());
  std::fprintf(stderr, "%-16s %s %6.0f ms, peak %5.1f MiB\n", program.named.label.c_str(),
               counted ? "     " : "warm:", seconds * 1000, peak / MiB);
  if (counted) {
    program.seconds.push_back(seconds);
    program.peaks.push_back(peak);
  }
  return true;
}

double MedianRatio(const Program& subject, const Program& other) {
  std::vector<double> ratios;
  for (size_t i = 0; i < subject.seconds.size(); ++i)
    ratios.push_back(subject.seconds[i] / other.seconds[i]);
  return MedianOf(ratios);
}

void PrintTable(const std::vector<Program>& programs) {
  const Program& subject = programs.front();
  std::printf(
      "| Median of %zu runs | Start-up | %s against it | Goal | | Peak working set |\n"
      "|---|---:|---:|---|---|---:|\n",
      subject.seconds.size(), subject.named.label.c_str());
  for (const Program& program : programs) {
    const bool other = &program != &subject;
    const double ratio = other ? MedianRatio(subject, program) : 1;
    char ratioText[32] = "", goal[32] = "";
    if (other) std::snprintf(ratioText, sizeof ratioText, "%.2fx", ratio);
    if (other && program.goal > 0) std::snprintf(goal, sizeof goal, "at most %.2gx", program.goal);
    std::printf("| %s | %.0f ms | %s | %s | %s | %.1f MiB |\n", program.named.label.c_str(),
                MedianOf(program.seconds) * 1000, ratioText, goal,
                *goal ? (ratio <= program.goal ? "met" : "**missed**") : "",
                MedianOf(program.peaks) / MiB);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || std::atoi(argv[1]) < 1) {
    std::fprintf(stderr,
                 "usage: start_bench.exe runs [label=]program.exe "
                 "[label[/goal]=]other.exe...\n");
    return 2;
  }
  std::vector<Program> programs;
  for (int i = 2; i < argc; ++i) programs.push_back(ProgramOf(argv[i]));
  // One untimed round first, so that no program pays for cold caches; then
  // they alternate, so that all see the same load.
  for (int round = 0; round <= std::atoi(argv[1]); ++round)
    for (Program& program : programs)
      if (!StartOnce(program, round > 0)) return 1;
  PrintTable(programs);
  std::fflush(stdout);
  return 0;
}
